#include "GuiFixture.h"
#include "common/Errors.h"
#include "common/Texts.h"

using namespace velmo;
using velmo::test::MainWindowFixture;

namespace {

struct ScriptList : MainWindowFixture {
  ScriptListPage& page() { return main->scriptList(); }
  void addScript(const std::string& name, const std::string& hotkey, const std::string& points,
                 const std::string& loops) {
    dm1->con1.Insert(name, hotkey, points, loops);
  }
  void select(int row) {
    page().lv2->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  }
  std::string status(int row) { return page().cell(row, ScriptListPage::ColStatus); }
};

}  // namespace

TEST_F(ScriptList, LoadShowsEveryRowWithTheStopHotkeyAndNotEnabled) {
  writeSettings("[setting]\r\nstophotkey=Ctrl+F9\r\n");
  create();
  addScript("一", "Ctrl+F5", "1,2,左键单击,20|", "3");
  addScript("two", "F7", "", "1");
  start();
  ASSERT_EQ(page().rowCount(), 2);
  EXPECT_EQ(page().cell(0, ScriptListPage::ColId), "1");
  EXPECT_EQ(page().cell(0, ScriptListPage::ColName), "一");
  EXPECT_EQ(page().cell(1, ScriptListPage::ColStopHotkey), "Ctrl+F9");
  EXPECT_EQ(page().cell(0, ScriptListPage::ColPoints), "1,2,左键单击,20|");
  EXPECT_EQ(page().cell(0, ScriptListPage::ColLoopCount), "3");
  EXPECT_EQ(status(1), "未启用");
}

TEST_F(ScriptList, EnableRegistersUnderTheScriptIdAndColoursTheRow) {
  create();
  addScript("a", "Ctrl+F5", "", "1");
  start();
  main->btn10Click();  // nothing selected: nothing happens
  EXPECT_TRUE(p.log.with("RegisterHotKey(1,").empty());
  select(0);
  main->btn10Click();
  EXPECT_EQ(p.log.with("RegisterHotKey").back(), "RegisterHotKey(1,2,116)=1");
  EXPECT_EQ(status(0), "已启用");
  EXPECT_EQ(page().lv2->GetItemBackgroundColour(0), EnabledRowColour);
  main->btn11Click();
  EXPECT_EQ(p.log.entries.back(), "UnregisterHotKey(1)");
  EXPECT_EQ(status(0), "未启用");
  EXPECT_NE(page().lv2->GetItemBackgroundColour(0), EnabledRowColour);
}

TEST_F(ScriptList, EnableWithTakenHotkeyNamesItAndKeepsTheStatus) {
  create();
  addScript("a", "Alt+F5", "", "1");
  addScript("b", "Ctrl+F3", "", "1");  // the single-point hotkey
  addScript("c", "Shift", "", "1");
  start();
  p.grabber.heldElsewhere.insert({kModAlt, 116});
  select(0);
  main->btn10Click();
  ASSERT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_EQ(p.boxes.shown[0].text, "您设置的Alt+F5热键与其他程序的热键冲突,请选择过热键.");
  EXPECT_EQ(p.boxes.shown[0].flags, kMbIconInformation);
  EXPECT_EQ(status(0), "未启用");
  select(1);
  main->btn10Click();
  EXPECT_EQ(p.boxes.shown.size(), 2u);
  select(2);
  main->btn10Click();  // no number in the key: swallowed silently
  EXPECT_EQ(p.boxes.shown.size(), 2u);
  EXPECT_EQ(status(2), "未启用");
}

TEST_F(ScriptList, DeleteAsksAndReloads) {
  create();
  addScript("a", "F7", "", "1");
  addScript("b", "F8", "", "1");
  start();
  main->btn9Click();
  EXPECT_EQ(p.boxes.shown.back().text, "请选择您要删除的记录");
  select(0);
  p.boxes.answers = {kIdNo};
  main->btn9Click();
  EXPECT_EQ(page().rowCount(), 2);
  EXPECT_EQ(p.boxes.shown.back().flags, kMbYesNo | kMbIconQuestion);
  p.boxes.answers = {kIdYes};
  main->btn9Click();
  ASSERT_EQ(page().rowCount(), 1);
  EXPECT_EQ(page().cell(0, ScriptListPage::ColName), "b");
  EXPECT_EQ(dm1->con1.SelectAll().size(), 1u);
}

TEST_F(ScriptList, ReloadKeepsRegistrationsAndTheHotkeyStillRunsTheScript) {
  create();
  addScript("a", "F7", "10,20,右键单击,5|", "1");
  start();
  select(0);
  main->btn10Click();
  main->LoadScriptList();
  EXPECT_EQ(status(0), "未启用");
  p.log.clear();
  p.grabber.press(0, 118);
  EXPECT_EQ(p.log.with("SetCursorPos"), std::vector<std::string>{"SetCursorPos(10,20)"});
  EXPECT_EQ(p.log.with("mouse_event"),
            (std::vector<std::string>{"mouse_event(8)", "mouse_event(16)"}));
  EXPECT_EQ(p.log.with("Wait"), (std::vector<std::string>{"Wait(5)", "Wait(800)"}));
}

TEST_F(ScriptList, StopHotkeyDuringARunEndsItWithTheStopMessage) {
  create();
  addScript("a", "F7", "1,1,无点击,5|2,2,无点击,5|", "3");
  start();
  select(0);
  main->btn10Click();
  p.pump.onProcess = [this](int call) {
    if (call == 2) p.grabber.press(0, 117);  // F6 arrives before the second point
  };
  p.grabber.press(0, 118);
  EXPECT_EQ(p.log.with("SetCursorPos").size(), 1u);
  ASSERT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_EQ(p.boxes.shown[0].text, "     Velmo鼠标点击器已经停止.     ");
  EXPECT_EQ(p.boxes.shown[0].owner, nullptr);
  EXPECT_EQ(main->StopRequested, "0");
}

TEST_F(ScriptList, LoopCountThatIsNoNumberIsReportedByTheTopLevelReport) {
  create();
  addScript("a", "F7", "1,1,无点击,5|", "x");
  start();
  select(0);
  main->btn10Click();
  p.grabber.press(0, 118);
  ASSERT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_EQ(p.boxes.shown[0].caption, kAppTitle);
  EXPECT_TRUE(p.log.with("SetCursorPos").empty());
}

TEST_F(ScriptList, MissingDataFileIsReportedAndEndsTheProgram) {
  withDataFile = false;
  create();
  ASSERT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_EQ(p.boxes.shown[0].owner, nullptr);
  EXPECT_EQ(p.boxes.shown[0].caption, "提示");
  EXPECT_EQ(p.boxes.shown[0].text.rfind("软件出错,没有找到所需的数据文件，请到", 0), 0u);
  ASSERT_EQ(p.shell.opened.size(), 1u);
  EXPECT_NE(p.shell.opened[0].find("?error"), std::string::npos);
  EXPECT_TRUE(terminateRequested);
  EXPECT_THROW(main->FormShow(), AppError);
  EXPECT_FALSE(std::filesystem::exists(dir / "data.db"));
}

TEST_F(ScriptList, SpaceSelectsTheFocusedRowOfAOneRowList) {
  create();
  addScript("一", "Ctrl+F5", "1,2,左键单击,20|", "1");
  start();
  page().lv2->SetItemState(0, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
  ASSERT_EQ(page().selected(), -1);
  wxKeyEvent space(wxEVT_KEY_DOWN);
  space.m_keyCode = WXK_SPACE;
  space.SetEventObject(page().lv2);
  page().lv2->GetEventHandler()->ProcessEvent(space);
  EXPECT_EQ(page().selected(), 0);
  main->btn10Click();
  EXPECT_EQ(status(0), kEnabledText);
}
