#include <wx/clipbrd.h>

#include "ScriptDialogsFixture.h"
#include "common/Texts.h"

using namespace velmo;
using Strings = std::vector<std::string>;

namespace {

struct ScriptEditor : test::ScriptDialogsFixture {
  TFrm_AddMP* add() { return w.Frm_AddMP; }
  TFrm_ModMP* mod() { return w.Frm_ModMP; }
  void fillAdd(const char* name, const char* loops) {
    main->btn7Click();
    add()->edt1->ChangeValue(wxString::FromUTF8(name));
    add()->edt2->ChangeValue(loops);
  }
  void points(ScriptEditorDialog* editor, int count) {
    for (int i = 1; i <= count; ++i)
      editor->appendPoint({std::to_string(i) + "," + std::to_string(i), "左键单击", "20"});
  }
  std::vector<Strings> rows(ScriptEditorDialog* editor) {
    std::vector<Strings> out;
    for (int i = 0; i < editor->pointCount(); ++i) out.push_back(row(editor, i));
    return out;
  }
  void menu(wxMenuItem* item) {
    wxCommandEvent event(wxEVT_MENU, item->GetId());
    page().pm2->ProcessEvent(event);
  }
};

}  // namespace

TEST_F(ScriptEditor, AddCommandEmptiesNameCountAndListAndKeepsTheHotkey) {
  start();
  EXPECT_EQ(text(add()->cbb1), "Ctrl");
  EXPECT_EQ(text(add()->cbb2), "F6");
  add()->edt1->ChangeValue("old");
  add()->edt2->ChangeValue("9");
  add()->cbb1->SetValue("Alt");
  add()->cbb2->SetValue("F2");
  points(add(), 2);
  menu(page().N6);
  EXPECT_EQ(shown, std::vector<ModalDialog*>{add()});
  EXPECT_TRUE(add()->IsShown());
  EXPECT_EQ(text(add()->edt1), "");
  EXPECT_EQ(text(add()->edt2), "1");
  EXPECT_EQ(add()->pointCount(), 0);
  EXPECT_EQ(text(add()->cbb1), "Alt");
  EXPECT_EQ(text(add()->cbb2), "F2");
}

TEST_F(ScriptEditor, OkChecksInOrderWithTheirMessagesAndFocus) {
  start();
  fillAdd("", "0");
  add()->btn1Click();
  EXPECT_TRUE(lastBoxIs(add(), "请输入循环点击次数。", kMbIconInformation));
  EXPECT_TRUE(focused(add()->edt2));
  EXPECT_FALSE(focused(add()->edt1));
  add()->edt2->ChangeValue("");
  add()->btn1Click();
  EXPECT_TRUE(lastBoxIs(add(), "请输入循环点击次数。", kMbIconInformation));
  add()->edt2->ChangeValue("00");
  add()->btn1Click();
  EXPECT_TRUE(lastBoxIs(add(), "请输入多坐标点击的名称.", kMbIconInformation));
  EXPECT_TRUE(focused(add()->edt1));
  dm1->con1.Insert("taken", "F7", "", "1");
  add()->edt1->ChangeValue("taken");
  add()->edt2->SetFocus();
  add()->btn1Click();
  EXPECT_TRUE(lastBoxIs(add(), "名称重复,请选择过其他的名称.", kMbIconInformation));
  EXPECT_TRUE(focused(add()->edt1));
  EXPECT_EQ(dm1->con1.SelectAll().size(), 1u);
  EXPECT_TRUE(add()->IsShown());
}

TEST_F(ScriptEditor, AddWritesTheRowClosesAndReloadsTheList) {
  start();
  fillAdd("两点", "007");
  add()->cbb1->SetValue(wxString::FromUTF8("无"));
  add()->cbb2->SetValue("F13");
  add()->appendPoint({"100,200", "左键单击", "20"});
  add()->appendPoint({"300,400", "右键双击", "500"});
  const size_t boxes = p.boxes.shown.size();
  add()->btn1Click();
  EXPECT_FALSE(add()->IsShown());
  EXPECT_EQ(p.boxes.shown.size(), boxes);  // no message on success
  const auto stored = dm1->con1.SelectAll();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].name, "两点");
  EXPECT_EQ(stored[0].hotkey, "F13");
  EXPECT_EQ(stored[0].points, "100,200,左键单击,20|300,400,右键双击,500|");
  EXPECT_EQ(stored[0].clicknum, "007");
  ASSERT_EQ(page().rowCount(), 1);
  EXPECT_EQ(page().cell(0, ScriptListPage::ColName), "两点");
}

TEST_F(ScriptEditor, ModifyWithoutSelectionSaysSoOnTheMainWindow) {
  start();
  main->btn8Click();
  ASSERT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_EQ(p.boxes.shown[0].text, "请选择要修改的项目.");
  EXPECT_EQ(p.boxes.shown[0].caption, kMainCaption);
  EXPECT_EQ(p.boxes.shown[0].flags, kMbIconInformation);
  main->lv2DblClick();  // a double click beside the rows does nothing
  EXPECT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_TRUE(shown.empty());
}

TEST_F(ScriptEditor, ModifyFillsTheDialogFromTheRow) {
  create();
  dm1->con1.Insert("a", "Ctrl+Alt+F3", "1,2,左键单击,20|3,4,无点击,1000|", "5");
  dm1->con1.Insert("b", "F11", "", "1");
  dm1->con1.Insert("c", "", "", "2");
  start();
  selectScript(0);
  main->lv2DblClick();
  EXPECT_EQ(shown, std::vector<ModalDialog*>{mod()});
  EXPECT_EQ(text(mod()->edt1), "a");
  EXPECT_FALSE(mod()->edt1->IsEditable());
  EXPECT_EQ(text(mod()->edt2), "5");
  EXPECT_EQ(text(mod()->cbb1), "Ctrl+Alt");
  EXPECT_EQ(text(mod()->cbb2), "F3");
  EXPECT_EQ(rows(mod()), (std::vector<Strings>{{"1,2", "左键单击", "20"}, {"3,4", "无点击", "1000"}}));
  selectScript(1);
  menu(page().N7);
  EXPECT_EQ(text(mod()->cbb1), "无");
  EXPECT_EQ(text(mod()->cbb2), "F11");
  EXPECT_EQ(mod()->pointCount(), 0);
  selectScript(2);
  main->btn8Click();  // an empty hotkey text leaves the modifier as it was
  EXPECT_EQ(text(mod()->cbb1), "无");
  EXPECT_EQ(text(mod()->cbb2), "");
}

TEST_F(ScriptEditor, ModifyOfAnEntryWithMissingFieldsIsReportedAndNotShown) {
  create();
  dm1->con1.Insert("bad", "Alt+F12", "1,2,左键单击,20|3,4|", "8");
  start();
  selectScript(0);
  main->btn8Click();
  EXPECT_TRUE(shown.empty());
  ASSERT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_EQ(p.boxes.shown[0].text, "修改项目出错,请联系软件作者.");
  EXPECT_EQ(p.boxes.shown[0].caption, kMainCaption);
  EXPECT_EQ(p.boxes.shown[0].flags, kMbIconWarning);
  // What was filled before the bad entry stays filled.
  EXPECT_EQ(text(mod()->edt1), "bad");
  EXPECT_EQ(text(mod()->cbb1), "Alt");
  EXPECT_EQ(rows(mod()), (std::vector<Strings>{{"1,2", "左键单击", "20"}}));
}

TEST_F(ScriptEditor, ModifyUpdatesTheRowFoundByNameWithoutTheNameCheck) {
  create();
  dm1->con1.Insert("keep", "F7", "", "1");
  dm1->con1.Insert("mine", "F8", "1,1,无点击,5|", "1");
  start();
  selectScript(1);
  main->btn8Click();
  mod()->cbb1->SetValue("Ctrl");
  mod()->cbb2->SetValue("F9");
  mod()->edt2->ChangeValue("3");
  mod()->appendPoint({"7,7", "右键单击", "30"});
  mod()->btn1Click();
  EXPECT_FALSE(mod()->IsShown());
  const auto stored = dm1->con1.SelectAll();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[1].id, "2");
  EXPECT_EQ(stored[1].hotkey, "Ctrl+F9");
  EXPECT_EQ(stored[1].points, "1,1,无点击,5|7,7,右键单击,30|");
  EXPECT_EQ(stored[1].clicknum, "3");
  EXPECT_EQ(stored[0].hotkey, "F7");
  EXPECT_EQ(page().cell(1, ScriptListPage::ColHotkey), "Ctrl+F9");
}

TEST_F(ScriptEditor, MoveUpAndDownCarryTheSelectedPoint) {
  start();
  main->btn7Click();
  points(add(), 3);
  add()->btn7Click();  // nothing selected
  add()->btn8Click();
  EXPECT_EQ(row(add(), 0)[0], "1,1");
  add()->selectPoint(2);
  add()->btn7Click();
  add()->btn7Click();
  EXPECT_EQ(rows(add()), (std::vector<Strings>{{"3,3", "左键单击", "20"},
                                               {"1,1", "左键单击", "20"},
                                               {"2,2", "左键单击", "20"}}));
  EXPECT_EQ(add()->selectedPoint(), 0);
  add()->btn7Click();  // already first
  EXPECT_EQ(row(add(), 0)[0], "3,3");
  add()->btn8Click();
  EXPECT_EQ(add()->selectedPoint(), 1);
  add()->btn8Click();
  add()->btn8Click();  // already last
  EXPECT_EQ(add()->selectedPoint(), 2);
  EXPECT_EQ(row(add(), 2)[0], "3,3");
  EXPECT_EQ(row(add(), 0)[0], "1,1");
}

TEST_F(ScriptEditor, DeleteRemovesTheSelectedRowAndOddRowsStayShaded) {
  start();
  main->btn7Click();
  points(add(), 4);
  const wxColour plain = add()->lv1->GetBackgroundColour();
  EXPECT_EQ(add()->lv1->GetItemBackgroundColour(1), EnabledRowColour);
  EXPECT_EQ(add()->lv1->GetItemBackgroundColour(3), EnabledRowColour);
  add()->btn6Click();  // nothing selected: nothing happens, nothing is said
  EXPECT_EQ(add()->pointCount(), 4);
  EXPECT_TRUE(p.boxes.shown.empty());
  add()->selectPoint(0);
  add()->btn6Click();
  EXPECT_EQ(rows(add()).front()[0], "2,2");
  EXPECT_EQ(add()->pointCount(), 3);
  EXPECT_EQ(add()->lv1->GetItemBackgroundColour(0), plain);
  EXPECT_EQ(add()->lv1->GetItemBackgroundColour(1), EnabledRowColour);
  EXPECT_EQ(add()->lv1->GetItemBackgroundColour(2), plain);
}

TEST_F(ScriptEditor, ModifyPointWithoutSelectionSaysSoElseLoadsTheRow) {
  start();
  main->btn7Click();
  points(add(), 2);
  add()->btn5Click();
  EXPECT_TRUE(lastBoxIs(add(), "请选择要修改的点击坐标.", kMbIconInformation));
  EXPECT_EQ(shown.size(), 1u);
  add()->setPoint(1, {"5,6", "右键双击", "250"});
  add()->selectPoint(1);
  add()->btn5Click();
  EXPECT_EQ(shown.back(), w.Frm_ModPoint);
  EXPECT_EQ(text(w.Frm_ModPoint->edt1), "5,6");
  EXPECT_EQ(text(w.Frm_ModPoint->cbb1), "右键双击");
  EXPECT_EQ(text(w.Frm_ModPoint->cbb2), "250");
  mod()->btn4Click();
  mod()->btn5Click();
  EXPECT_EQ(shown.back(), w.frm_mod_addpint);  // the modify editor has its own point dialogs
}

TEST_F(ScriptEditor, EscapeAndCancelCloseWithoutWriting) {
  start();
  fillAdd("x", "1");
  pressEscape(add());
  EXPECT_FALSE(add()->IsShown());
  fillAdd("y", "1");
  add()->btn2Click();
  EXPECT_FALSE(add()->IsShown());
  fillAdd("z", "1");
  add()->Close();  // the close box
  EXPECT_FALSE(add()->IsShown());
  EXPECT_TRUE(dm1->con1.SelectAll().empty());
}

TEST_F(ScriptEditor, LoopCountTakesFiveTypedDigits) {
  start();
  main->btn7Click();
  EXPECT_FALSE(typed(add()->edt2, 'a'));
  EXPECT_TRUE(typed(add()->edt2, '7'));
  EXPECT_TRUE(typed(add()->edt2, 8));
  add()->edt2->ChangeValue("12345");
  EXPECT_FALSE(typed(add()->edt2, '6'));
  add()->edt2->SetSelection(0, 1);
  EXPECT_TRUE(typed(add()->edt2, '6'));  // replaces the selected digit
  EXPECT_TRUE(typed(add()->edt1, 'a'));  // the name takes anything
}

TEST_F(ScriptEditor, PastedLoopCountKeepsTheTypingRules) {
  start();
  // Pasted through the X clipboard as Ctrl+V does; the text arrives a little later.
  const auto paste = [this](const char* text) {
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(text));
    wxTheClipboard->Close();
    int changes = 0;
    const auto count = [&changes](wxCommandEvent& event) {
      ++changes;
      event.Skip();
    };
    add()->edt2->Bind(wxEVT_TEXT, count);
    add()->edt2->Paste();
    for (int i = 0; i < 300 && changes == 0; ++i) {
      wxYield();
      wxMilliSleep(10);
    }
    add()->edt2->Unbind(wxEVT_TEXT, count);
    ASSERT_GT(changes, 0) << "the paste of " << text << " never arrived";
  };
  fillAdd("粘贴", "");
  add()->appendPoint({"100,200", "左键单击", "20"});
  paste("11234567890");  // more than the five characters typing allows
  EXPECT_EQ(text(add()->edt2), "");
  paste("2a3");
  EXPECT_EQ(text(add()->edt2), "23");
  add()->btn1Click();
  const auto stored = dm1->con1.SelectAll();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].clicknum, "23");
}

TEST_F(ScriptEditor, TheTwoLayouts) {
  create();
  EXPECT_EQ(ToUtf8(add()->GetTitle()), "添加多坐标点击");
  EXPECT_EQ(ToUtf8(mod()->GetTitle()), "修改坐标");
  EXPECT_EQ(add()->GetClientSize(), wxSize(356, 414));
  EXPECT_EQ(mod()->GetClientSize(), wxSize(361, 411));
  EXPECT_EQ(ToUtf8(add()->lbl4->GetLabel()), "输入名称和设置启动热键");
  EXPECT_EQ(ToUtf8(mod()->lbl4->GetLabel()), "输入名称和设置启动热键和循环点击的次数。");
  EXPECT_TRUE(add()->HasFlag(wxMINIMIZE_BOX));
  EXPECT_FALSE(mod()->HasFlag(wxMINIMIZE_BOX));
  EXPECT_TRUE(add()->edt1->IsEditable());
  for (ScriptEditorDialog* editor : {static_cast<ScriptEditorDialog*>(add()),
                                     static_cast<ScriptEditorDialog*>(mod())}) {
    EXPECT_EQ(editor->lv1->GetColumnCount(), 3);
    EXPECT_EQ(ToUtf8(editor->btn1->GetLabel()), "确定(&O)");
    for (wxWindow* control : editor->GetChildren()) {
      const wxRect r = control->GetRect();
      EXPECT_TRUE(wxRect(editor->GetClientSize()).Contains(r))
          << ToUtf8(control->GetLabel()) << " at " << r.x << "," << r.y << " " << r.width << "x"
          << r.height;
    }
  }
}

TEST_F(ScriptEditor, RecordedClicksAreAppendedWhenTheRecordingEnds) {
  start();
  fillAdd("录", "1");
  points(add(), 1);
  add()->btn9Click();
  EXPECT_FALSE(add()->IsShown());
  EXPECT_FALSE(main->IsEnabled());
  ASSERT_TRUE(p.recorder.watching());
  ASSERT_EQ(p.recorder.endKeys.size(), 2u);  // Esc and the stop hotkey, F6
  EXPECT_EQ(p.recorder.endKeys[1].vk, 117u);
  for (const MousePress& press : {MousePress{false, {300, 400}, 1000},
                                  MousePress{false, {300, 400}, 1200}, MousePress{true, {-5, 20}, 3000}})
    p.recorder.press(press);
  main->StopRequested = "1";  // the stop hotkey ended the recording
  p.recorder.end();
  wxYield();
  EXPECT_TRUE(main->IsEnabled());
  EXPECT_EQ(main->StopRequested, "0");
  EXPECT_EQ(shown, (std::vector<ModalDialog*>{add(), add()}));
  EXPECT_EQ(rows(add()), (std::vector<Strings>{{"1,1", "左键单击", "20"},
                                               {"300,400", "左键双击", "2000"},
                                               {"-5,20", "右键单击", "1000"}}));
}

TEST_F(ScriptEditor, ADesktopThatCannotRecordSaysSoAndTheDialogStays) {
  start();
  fillAdd("录", "1");
  p.recorder.refusal = "没有RECORD扩展";
  add()->btn9Click();
  EXPECT_TRUE(lastBoxIs(add(), "没有RECORD扩展", kMbIconInformation));
  EXPECT_TRUE(add()->IsShown());
  EXPECT_TRUE(main->IsEnabled());
}
