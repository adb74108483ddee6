#include "ScriptDialogsFixture.h"

using namespace velmo;
using Strings = std::vector<std::string>;

namespace {

const std::string kSaved = "热键设置成功,所有点击的记录都是这个热键停止.";

struct StopHotkeyDialog : test::ScriptDialogsFixture {
  TFrm_shotkey* dialog() { return w.Frm_shotkey; }
  void choose(const char* modifier, const char* key) {
    dialog()->cbb1->SetValue(wxString::FromUTF8(modifier));
    dialog()->cbb2->SetValue(wxString::FromUTF8(key));
  }
};

}  // namespace

TEST_F(StopHotkeyDialog, WithNothingStoredItShowsTheF6InForce) {
  start();
  main->btn17Click();
  EXPECT_EQ(shown, std::vector<ModalDialog*>{dialog()});
  EXPECT_EQ(text(dialog()->cbb1), "无");
  EXPECT_EQ(text(dialog()->cbb2), "F6");
  EXPECT_TRUE(focused(dialog()->btn1));
}

TEST_F(StopHotkeyDialog, EveryShowingLoadsTheStoredValue) {
  writeSettings("[setting]\r\nstophotkey=Ctrl+Alt+F9\r\n");
  start();
  main->btn17Click();
  EXPECT_EQ(text(dialog()->cbb1), "Ctrl+Alt");
  EXPECT_EQ(text(dialog()->cbb2), "F9");
  choose("Alt", "F3");
  dialog()->btn2Click();
  EXPECT_FALSE(dialog()->IsShown());
  main->btn17Click();
  EXPECT_EQ(text(dialog()->cbb1), "Ctrl+Alt");  // the cancelled change is gone
  EXPECT_EQ(text(dialog()->cbb2), "F9");
}

TEST_F(StopHotkeyDialog, OkStoresReportsReloadsTheListAndRegisters) {
  create();
  dm1->con1.Insert("a", "F7", "", "1");
  start();
  main->btn17Click();
  choose("无", "F9");
  p.log.clear();
  dialog()->btn1Click();
  EXPECT_NE(settingsBytes().find("stophotkey=F9\r\n"), std::string::npos);
  EXPECT_TRUE(lastBoxIs(dialog(), kSaved, kMbIconInformation));
  EXPECT_EQ(page().cell(0, ScriptListPage::ColStopHotkey), "F9");
  // The message comes first, then the previous stop hotkey makes way for the new one.
  EXPECT_EQ(p.log.entries, (Strings{"MessageBoxA(" + kSaved + ")", "UnregisterHotKey(1108)",
                                    "RegisterHotKey(1108,0,120)=1"}));
  EXPECT_FALSE(dialog()->IsShown());
  EXPECT_FALSE(p.grabber.grabbed.count({0u, 117u}));  // F6 no longer stops
}

TEST_F(StopHotkeyDialog, OkWithModifiersAndKeysAsTyped) {
  start();
  const std::pair<std::pair<const char*, const char*>, std::string> cases[] = {
      {{"Alt", "F3"}, "Alt+F3"},
      {{"Ctrl+Alt", "F12"}, "Ctrl+Alt+F12"},
      {{"Ctrl", "F13"}, "Ctrl+F13"}};
  for (const auto& [fields, stored] : cases) {
    main->btn17Click();
    choose(fields.first, fields.second);
    dialog()->btn1Click();
    EXPECT_NE(settingsBytes().find("stophotkey=" + stored + "\r\n"), std::string::npos) << stored;
  }
  EXPECT_EQ(p.log.with("RegisterHotKey(1108").back(), "RegisterHotKey(1108,2,124)=1");
}

TEST_F(StopHotkeyDialog, AnEmptyKeyIsRefusedAndNothingChanges) {
  writeSettings("[setting]\r\nstophotkey=Ctrl+F9\r\n");
  start();
  main->btn17Click();
  choose("Ctrl", "");
  p.log.clear();
  dialog()->btn1Click();
  EXPECT_TRUE(lastBoxIs(dialog(), "请选择或输入停止热键的按键,例如F6.", kMbIconInformation));
  EXPECT_TRUE(focused(dialog()->cbb2));
  EXPECT_TRUE(p.log.with("RegisterHotKey").empty());
  EXPECT_NE(settingsBytes().find("stophotkey=Ctrl+F9\r\n"), std::string::npos);
  EXPECT_TRUE(dialog()->IsShown());
}

TEST_F(StopHotkeyDialog, EscapeDoesNothingAndTheCloseBoxCancels) {
  start();
  main->btn17Click();
  pressEscape(dialog());
  EXPECT_TRUE(dialog()->IsShown());
  choose("Alt", "F4");
  dialog()->Close();
  EXPECT_FALSE(dialog()->IsShown());
  EXPECT_EQ(settingsBytes(), "");
  EXPECT_EQ(ToUtf8(dialog()->GetTitle()), "停止热键设置");
  EXPECT_EQ(dialog()->GetClientSize(), wxSize(349, 188));  // a window of 357 x 222
  for (wxWindow* control : dialog()->GetChildren())
    EXPECT_TRUE(wxRect(dialog()->GetClientSize()).Contains(control->GetRect()))
        << ToUtf8(control->GetLabel());
}

TEST_F(StopHotkeyDialog, AStopHotkeyOfF11TakesTheCaptureKeyAway) {
  start();
  main->btn17Click();
  choose("无", "F11");
  dialog()->btn1Click();
  main->btn7Click();
  w.Frm_AddMP->btn4Click();
  EXPECT_TRUE(lastBoxIs(w.frm_addpoint, "您设置的热键于其他程序的热键冲突,请选择过热键.",
                        kMbIconInformation));
}

TEST_F(StopHotkeyDialog, EachDropDownListIsOneTabStop) {
  start();
  main->btn17Click();
  const auto tab = [this] {
    g_signal_emit_by_name(dialog()->GetHandle(), "move-focus", GTK_DIR_TAB_FORWARD);
  };
  dialog()->cbb1->SetFocus();
  ASSERT_TRUE(focused(dialog()->cbb1));
  tab();  // past the modifier list's arrow button
  EXPECT_TRUE(focused(dialog()->cbb2));
  tab();
  EXPECT_FALSE(focused(dialog()->cbb2));
  EXPECT_TRUE(focused(dialog()->btn1) || focused(dialog()->btn2));
}
