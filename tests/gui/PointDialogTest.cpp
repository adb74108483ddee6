#include "ScriptDialogsFixture.h"
#include "common/Errors.h"

using namespace velmo;
using Strings = std::vector<std::string>;

namespace {

const std::string kConflict = "您设置的热键于其他程序的热键冲突,请选择过热键.";
constexpr unsigned F11 = 122;

struct PointDialogs : test::ScriptDialogsFixture {
  void SetUp() override {
    ScriptDialogsFixture::SetUp();
    start();
    p.mouse.cursor = {512, 384};
  }
  // Opens `dialog` the way its editor does.
  void open(PointDialog* dialog) {
    const bool ofAddEditor = dialog == w.frm_addpoint || dialog == w.Frm_ModPoint;
    ScriptEditorDialog* editor = ofAddEditor ? static_cast<ScriptEditorDialog*>(w.Frm_AddMP)
                                             : w.Frm_ModMP;
    editor->execute();
    if (dialog == w.Frm_ModPoint || dialog == w.Frm_ModPoint2) {
      editor->appendPoint({"1,1", "左键单击", "20"});
      editor->selectPoint(editor->pointCount() - 1);
      editor->btn5Click();
    } else {
      editor->btn4Click();
    }
    ASSERT_EQ(shown.back(), dialog);
  }
  int id(PointDialog* dialog) const { return dialog == w.Frm_ModPoint2 ? 1081 : 1008; }
  bool holdsF11() const { return p.grabber.grabbed.count({0u, F11}) > 0; }
};

}  // namespace

TEST_F(PointDialogs, F11FillsTheCoordinateFromTheCursorInEveryMember) {
  for (PointDialog* dialog : pointDialogs()) {
    p.log.clear();
    open(dialog);
    EXPECT_EQ(p.log.with("RegisterHotKey"),
              Strings{"RegisterHotKey(" + std::to_string(id(dialog)) + ",0,122)=1"});
    dialog->edt1->ChangeValue("typed");
    p.grabber.press(0, F11);
    EXPECT_EQ(text(dialog->edt1), "512,384");
    p.mouse.cursor = {-1280, 300};  // a screen left of the primary one
    p.grabber.press(0, F11);
    EXPECT_EQ(text(dialog->edt1), "-1280,300");
    p.mouse.cursor = {512, 384};
    dialog->btn2Click();
    EXPECT_FALSE(holdsF11());
  }
}

TEST_F(PointDialogs, EveryWayOfClosingReleasesF11AndTheReadOut) {
  const std::vector<std::function<void(PointDialog*)>> closers = {
      [](PointDialog* d) { d->btn2Click(); },
      [](PointDialog* d) { d->Close(); },  // the close box
      [](PointDialog* d) { pressEscape(d); },
  };
  for (const auto& close : closers) {
    open(w.frm_addpoint);
    EXPECT_TRUE(holdsF11());
    EXPECT_TRUE(p.timers.running(w.frm_addpoint, PointDialog::tmr1));
    close(w.frm_addpoint);
    EXPECT_FALSE(w.frm_addpoint->IsShown());
    EXPECT_FALSE(holdsF11());
    EXPECT_FALSE(p.timers.running(w.frm_addpoint, PointDialog::tmr1));
    EXPECT_EQ(p.log.with("UnregisterHotKey").back(), "UnregisterHotKey(1008)");
  }
  // Released at once: the main window can take F11 now.
  EXPECT_TRUE(main->registrar().RegisterClickHotkey("无", "F11"));
}

TEST_F(PointDialogs, TheModifyEditorsAddDialogIgnoresEscape) {
  open(w.frm_mod_addpint);
  pressEscape(w.frm_mod_addpint);
  EXPECT_TRUE(w.frm_mod_addpint->IsShown());
  EXPECT_TRUE(holdsF11());
  for (PointDialog* dialog : std::vector<PointDialog*>{w.Frm_ModPoint, w.Frm_ModPoint2}) {
    open(dialog);
    pressEscape(dialog);
    EXPECT_FALSE(dialog->IsShown());
  }
}

TEST_F(PointDialogs, F11HeldByTheMainWindowIsAConflict) {
  ASSERT_TRUE(main->registrar().RegisterClickHotkey("无", "F11"));
  p.log.clear();
  open(w.frm_addpoint);
  EXPECT_TRUE(lastBoxIs(w.frm_addpoint, kConflict, kMbIconInformation));
  EXPECT_EQ(p.log.with("RegisterHotKey"), Strings{"RegisterHotKey(1008,0,122)=0"});
  EXPECT_EQ(p.log.with("UnregisterHotKey"),
            (Strings{"UnregisterHotKey(1008)", "UnregisterHotKey(1008)"}));
  // The press reaches the main window's clicker, not the dialog; typing still works.
  p.grabber.press(0, F11);
  EXPECT_EQ(text(w.frm_addpoint->edt1), "");
  EXPECT_TRUE(typed(w.frm_addpoint->edt1, '4'));
  EXPECT_TRUE(w.frm_addpoint->IsShown());
}

TEST_F(PointDialogs, F11HeldByAnotherProgramIsAConflictUnderId1081Too) {
  p.grabber.heldElsewhere.insert({0u, F11});
  open(w.Frm_ModPoint2);
  EXPECT_TRUE(lastBoxIs(w.Frm_ModPoint2, kConflict, kMbIconInformation));
  EXPECT_EQ(p.log.with("RegisterHotKey").back(), "RegisterHotKey(1081,0,122)=0");
}

TEST_F(PointDialogs, ReadOutFollowsTheCursorInTheTwoForms) {
  open(w.frm_addpoint);
  EXPECT_EQ(ToUtf8(w.frm_addpoint->lbl6->GetLabel()), "当前坐标:");
  EXPECT_EQ(p.log.with("SetTimer").back(), "SetTimer(1,500)");
  ASSERT_TRUE(p.timers.fire(w.frm_addpoint, PointDialog::tmr1));
  EXPECT_EQ(ToUtf8(w.frm_addpoint->lbl6->GetLabel()), "当前坐标:512,384");
  open(w.frm_mod_addpint);
  EXPECT_EQ(p.log.with("SetTimer").back(), "SetTimer(1,1000)");
  p.mouse.cursor = {3, 4};
  ASSERT_TRUE(p.timers.fire(w.frm_mod_addpint, PointDialog::tmr1));
  EXPECT_EQ(ToUtf8(w.frm_mod_addpint->lbl6->GetLabel()), "当前坐标: X=3  Y=4");
  // A locked desktop: the read-out says so, quietly, and comes back with it.
  const size_t boxes = p.boxes.shown.size();
  p.mouse.locked = true;
  ASSERT_TRUE(p.timers.fire(w.frm_mod_addpint, PointDialog::tmr1));
  EXPECT_EQ(ToUtf8(w.frm_mod_addpint->lbl6->GetLabel()), kReadoutRefusedText);
  EXPECT_EQ(p.boxes.shown.size(), boxes);
  p.mouse.locked = false;
  ASSERT_TRUE(p.timers.fire(w.frm_mod_addpint, PointDialog::tmr1));
  EXPECT_EQ(ToUtf8(w.frm_mod_addpint->lbl6->GetLabel()), "当前坐标: X=3  Y=4");
}

TEST_F(PointDialogs, ARefusedReadOutTimerIsReported) {
  p.timers.refuse = true;
  EXPECT_THROW(w.Frm_ModPoint->FormShow(), AppError);
  EXPECT_TRUE(holdsF11());  // the capture key comes first
  w.Frm_ModPoint->closeDialog();
  EXPECT_FALSE(holdsF11());
}

TEST_F(PointDialogs, AddAppendsAndResetsForTheNextPoint) {
  open(w.frm_addpoint);
  TFrm_AddMP* editor = w.Frm_AddMP;
  w.frm_addpoint->edt1->ChangeValue("12,34");
  w.frm_addpoint->cbb1->SetValue(wxString::FromUTF8("右键双击"));
  w.frm_addpoint->cbb2->SetValue("250");
  w.frm_addpoint->btn1Click();
  p.grabber.press(0, F11);
  w.frm_addpoint->btn1Click();
  ASSERT_EQ(editor->pointCount(), 2);
  EXPECT_EQ(row(editor, 0), (Strings{"12,34", "右键双击", "250"}));
  EXPECT_EQ(row(editor, 1), (Strings{"512,384", "左键单击", "20"}));
  EXPECT_EQ(editor->selectedPoint(), -1);
  EXPECT_TRUE(w.frm_addpoint->IsShown());
  EXPECT_EQ(text(w.frm_addpoint->edt1), "");
  EXPECT_EQ(text(w.frm_addpoint->cbb1), "左键单击");
  EXPECT_EQ(text(w.frm_addpoint->cbb2), "20");
  EXPECT_TRUE(p.boxes.shown.empty());
}

TEST_F(PointDialogs, OnlyTheFirstAddDialogInsistsOnAComma) {
  open(w.frm_addpoint);
  w.frm_addpoint->edt1->ChangeValue("100");
  w.frm_addpoint->cbb2->SetFocus();
  w.frm_addpoint->btn1Click();
  EXPECT_TRUE(lastBoxIs(w.frm_addpoint, "鼠标坐标位置不正确,请输入像这样的坐标位置100,100",
                        kMbIconWarning));
  EXPECT_EQ(text(w.frm_addpoint->edt1), "");
  EXPECT_TRUE(focused(w.frm_addpoint->edt1));
  EXPECT_EQ(w.Frm_AddMP->pointCount(), 0);
  open(w.frm_mod_addpint);
  w.frm_mod_addpint->edt1->ChangeValue("100");
  w.frm_mod_addpint->btn1Click();
  EXPECT_EQ(row(w.Frm_ModMP, w.Frm_ModMP->pointCount() - 1)[0], "100");
}

TEST_F(PointDialogs, AnEmptyCoordinateIsRefusedByEveryMember) {
  for (PointDialog* dialog : pointDialogs()) {
    open(dialog);
    dialog->edt1->ChangeValue("");
    dialog->btn1Click();
    EXPECT_TRUE(lastBoxIs(dialog, "请输入要点击的鼠标坐标位置", kMbIconWarning));
    EXPECT_TRUE(dialog->IsShown());
    dialog->btn2Click();
  }
  EXPECT_EQ(w.Frm_AddMP->pointCount(), 1);  // only the row the modify dialog was opened on
  EXPECT_EQ(row(w.Frm_AddMP, 0), (Strings{"1,1", "左键单击", "20"}));
}

TEST_F(PointDialogs, RewriteChangesTheSelectedRowAndCloses) {
  open(w.Frm_ModPoint2);
  w.Frm_ModMP->appendPoint({"9,9", "无点击", "5"});  // another row, not selected
  w.Frm_ModPoint2->edt1->ChangeValue("7 , 8");
  w.Frm_ModPoint2->cbb1->SetValue("any");
  w.Frm_ModPoint2->btn1Click();
  EXPECT_FALSE(w.Frm_ModPoint2->IsShown());
  EXPECT_FALSE(holdsF11());
  EXPECT_EQ(row(w.Frm_ModMP, 0), (Strings{"7 , 8", "any", "20"}));
  EXPECT_EQ(row(w.Frm_ModMP, 1), (Strings{"9,9", "无点击", "5"}));
}

TEST_F(PointDialogs, SeparatorsThatWouldSplitTheStoredEntryAreRefused) {
  open(w.Frm_ModPoint);
  w.Frm_ModPoint->load({"1,2", "左键,单击", "20"});
  w.Frm_ModPoint->btn1Click();
  EXPECT_TRUE(lastBoxIs(w.Frm_ModPoint, "点击事件中不能含有“,”或“|”字符,请重新输入.", kMbIconWarning));
  EXPECT_TRUE(focused(w.Frm_ModPoint->cbb1));
  EXPECT_TRUE(w.Frm_ModPoint->IsShown());
  EXPECT_EQ(row(w.Frm_AddMP, 0), (Strings{"1,1", "左键单击", "20"}));
  open(w.frm_mod_addpint);
  w.frm_mod_addpint->edt1->ChangeValue("5,5");
  w.frm_mod_addpint->cbb2->SetValue("1|000");
  w.frm_mod_addpint->btn1Click();
  EXPECT_TRUE(focused(w.frm_mod_addpint->cbb2));
  EXPECT_EQ(w.Frm_ModMP->pointCount(), 0);
}

TEST_F(PointDialogs, TypedCoordinatesAreFilteredInTheAddDialogsAndLimitedInAll) {
  for (PointDialog* dialog : pointDialogs()) {
    const bool adds = dialog == w.frm_addpoint || dialog == w.frm_mod_addpint;
    dialog->edt1->ChangeValue("");
    EXPECT_TRUE(typed(dialog->edt1, '5'));
    EXPECT_TRUE(typed(dialog->edt1, ','));
    EXPECT_EQ(typed(dialog->edt1, 'a'), !adds);
    EXPECT_TRUE(typed(dialog->edt1, '-'));
    dialog->edt1->ChangeValue("123456,12345");
    EXPECT_FALSE(typed(dialog->edt1, '6'));
    EXPECT_TRUE(typed(dialog->edt1, 8));
  }
  // A capture is not limited.
  open(w.frm_addpoint);
  p.mouse.cursor = {-123456, -12345};
  p.grabber.press(0, F11);
  EXPECT_EQ(text(w.frm_addpoint->edt1), "-123456,-12345");
}

TEST_F(PointDialogs, TheTableOfMembers) {
  struct Member {
    PointDialog* dialog;
    const char* caption;
    const char* button;
    bool topmost;
    const char* actionLabel;
    bool allHelp;
  } members[] = {
      {w.frm_addpoint, "添加坐标", "添加(&A)", true, "点击事件:", true},
      {w.frm_mod_addpint, "添加坐标", "添加(&A)", true, "点击事件:", true},
      {w.Frm_ModPoint, "修改坐标", "确定(&O)", false, "点击事件", false},
      {w.Frm_ModPoint2, "修改坐标", "确定(&O)", false, "点击事件", false},
  };
  for (const Member& m : members) {
    open(m.dialog);
    EXPECT_EQ(ToUtf8(m.dialog->GetTitle()), m.caption);
    EXPECT_EQ(ToUtf8(m.dialog->btn1->GetLabel()), m.button);
    EXPECT_EQ(m.dialog->HasFlag(wxSTAY_ON_TOP), m.topmost) << m.caption;
    EXPECT_EQ(ToUtf8(m.dialog->lbl2->GetLabel()), m.actionLabel);
    wxString help = m.dialog->lbl4->GetLabel();
    // Lines are broken to the dialog's width, none left with a word's end alone.
    for (const wxString& line : wxSplit(help, '\n', '\0'))
      EXPECT_GT(line.length(), 4u) << m.caption << ": " << ToUtf8(help);
    help.Replace("\n", "");
    EXPECT_EQ(ToUtf8(help).rfind("把鼠标指针放到要点击的地方,按F11自动会获取所在的坐标", 0), 0u);
    EXPECT_EQ(help.EndsWith(wxString::FromUTF8("这个间隔时间具体根据电脑的配置来设置的。")),
              m.allHelp);
    for (wxWindow* control : m.dialog->GetChildren())
      EXPECT_TRUE(wxRect(m.dialog->GetClientSize()).Contains(control->GetRect()))
          << m.caption << ": " << ToUtf8(control->GetLabel());
  }
  EXPECT_EQ(w.frm_addpoint->GetClientSize(), wxSize(399, 245));
  EXPECT_EQ(w.Frm_ModPoint2->GetClientSize(), wxSize(362, 198));
  EXPECT_TRUE(w.frm_addpoint->HasFlag(wxMINIMIZE_BOX));
  EXPECT_TRUE(w.Frm_ModPoint->HasFlag(wxRESIZE_BORDER));
  EXPECT_FALSE(w.Frm_ModPoint2->HasFlag(wxRESIZE_BORDER));
}
