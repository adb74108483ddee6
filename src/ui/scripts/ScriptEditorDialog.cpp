#include "ui/scripts/ScriptEditorDialog.h"

#include "common/KeyFilters.h"
#include "common/Texts.h"
#include "platform/ClickRecorder.h"
#include "settings/ClickerSettings.h"
#include "scripts/U_dm.h"
#include "ui/scripts/PointDialog.h"
#include "ui/scripts/ScriptDialogHost.h"
#include "ui/scripts/ScriptListPage.h"
#include "widgets/DialogControls.h"
#include "widgets/WxText.h"

namespace velmo {

namespace {

constexpr size_t kLoopCountLimit = 5;
enum PointColumn { ColCoordinate, ColAction, ColInterval };

}  // namespace

ScriptEditorDialog::ScriptEditorDialog(ScriptDialogHost& host, const ScriptEditorKind& kind)
    : ModalDialog(host.dialogParent(), kind.caption, kind.style, true),
      host_(host),
      boxes_(host.platform().boxes),
      kind_(kind) {
  SetClientSize(kind.clientSize);
  buildSettings();
  buildPointList();
  bindHandlers();
}

void ScriptEditorDialog::buildSettings() {
  const int width = kind_.clientSize.x;
  grp1 = new wxStaticBox(this, wxID_ANY, FromUtf8("设置"), wxPoint(8, 6),
                         wxSize(width - 16, 128));
  lbl1 = LabelAt(this, wxPoint(20, 30), "名称:");
  edt1 = EditAt(this, wxPoint(110, 27), width - 138,
                kind_.mode == EditorMode::Update ? wxTE_READONLY : 0);
  lbl2 = LabelAt(this, wxPoint(20, 57), "启动热键:");
  const HotkeyCombos hotkey = HotkeyCombosAt(this, wxPoint(110, 54), 80, "F6");
  cbb1 = hotkey.modifier;
  lbl3 = hotkey.plus;
  cbb2 = hotkey.key;
  lbl5 = LabelAt(this, wxPoint(20, 84), "循环点击次数:");
  edt2 = EditAt(this, wxPoint(110, 81), 60);
  lbl4 = LabelAt(this, wxPoint(20, 109), kind_.hint);
}

void ScriptEditorDialog::buildPointList() {
  const wxSize size = kind_.clientSize;
  grp2 = new wxStaticBox(this, wxID_ANY, FromUtf8("点击"), wxPoint(8, 140),
                         wxSize(size.x - 16, 232));
  lv1 = new wxListCtrl(this, wxID_ANY, wxPoint(16, 160), wxSize(size.x - 128, 150),
                       wxLC_REPORT | wxLC_HRULES | wxLC_VRULES | wxLC_SINGLE_SEL);
  for (const char* caption : {"坐标位置", "点击事件", "间隔时间"})
    lv1->AppendColumn(FromUtf8(caption), wxLIST_FORMAT_LEFT, 70);

  const wxSize buttonSize(84, 26);
  const int left = size.x - 104;
  btn4 = ButtonAt(this, wxPoint(left, 160), buttonSize, "添加坐标");
  btn5 = ButtonAt(this, wxPoint(left, 192), buttonSize, "修改坐标");
  btn6 = ButtonAt(this, wxPoint(left, 224), buttonSize, "删除坐标");
  btn7 = ButtonAt(this, wxPoint(left, 256), buttonSize, "上移一行");
  btn8 = ButtonAt(this, wxPoint(left, 288), buttonSize, "下移一行");
  btn9 = ButtonAt(this, wxPoint(16, 380), buttonSize, "录制(&R)");
  btn1 = ButtonAt(this, wxPoint(size.x - 184, 380), buttonSize, "确定(&O)");
  btn2 = ButtonAt(this, wxPoint(size.x - 94, 380), buttonSize, "取消(&C)");
}

void ScriptEditorDialog::bindHandlers() {
  const std::pair<wxButton*, void (ScriptEditorDialog::*)()> handlers[] = {
      {btn1, &ScriptEditorDialog::btn1Click}, {btn2, &ScriptEditorDialog::btn2Click},
      {btn4, &ScriptEditorDialog::btn4Click}, {btn5, &ScriptEditorDialog::btn5Click},
      {btn6, &ScriptEditorDialog::btn6Click}, {btn7, &ScriptEditorDialog::btn7Click},
      {btn8, &ScriptEditorDialog::btn8Click}, {btn9, &ScriptEditorDialog::btn9Click}};
  for (const auto& [button, handler] : handlers)
    button->Bind(wxEVT_BUTTON, [this, handler = handler](wxCommandEvent&) { (this->*handler)(); });
  // edt2KeyPress: digits only.
  FilterTyping(edt2, &DigitKeyAccepted, kLoopCountLimit);
  SpaceSelectsFocusedRow(lv1);
}

void ScriptEditorDialog::wire(Tdm1& dm1, PointDialog& addPoint, PointDialog& modifyPoint) {
  dm1_ = &dm1;
  addPoint_ = &addPoint;
  modifyPoint_ = &modifyPoint;
}

void ScriptEditorDialog::clearScript() {
  edt1->ChangeValue("");
  edt2->ChangeValue("1");
  clearPoints();
}

void ScriptEditorDialog::loadScript(const std::string& name, const std::string& loopCount,
                                    const std::string& hotkey, const std::string& points) {
  edt1->ChangeValue(FromUtf8(name));
  edt2->ChangeValue(FromUtf8(loopCount));
  ShowHotkeyFields(HotkeyFieldsFor(hotkey), cbb1, cbb2);
  clearPoints();
  for (const PointEntry& entry : DecodePointList(points)) appendPoint(EditorRow(entry));
}

void ScriptEditorDialog::tell(const std::string& message) {
  boxes_.MessageBoxA(static_cast<wxWindow*>(this), message, kDialogCaption,
                     kMbOk | kMbIconInformation);
}

ScriptDraft ScriptEditorDialog::draft() const {
  ScriptDraft draft{ToUtf8(edt1->GetValue()), ToUtf8(cbb1->GetValue()), ToUtf8(cbb2->GetValue()),
                    ToUtf8(edt2->GetValue()), {}};
  for (int row = 0; row < pointCount(); ++row) draft.points.push_back(point(row));
  return draft;
}

void ScriptEditorDialog::btn1Click() {
  if (const auto refusal = SaveScript(draft(), kind_.mode, dm1_->con1)) {
    tell(refusal->message);
    (refusal->focus == EditorField::LoopCount ? edt2 : edt1)->SetFocus();
    return;
  }
  closeDialog();
  host_.LoadScriptList();
}

void ScriptEditorDialog::btn2Click() { closeDialog(); }

void ScriptEditorDialog::btn4Click() { addPoint_->execute(); }

void ScriptEditorDialog::btn5Click() {
  const int row = selectedPoint();
  if (row < 0) {
    tell("请选择要修改的点击坐标.");
    return;
  }
  modifyPoint_->load(point(row));
  modifyPoint_->execute();
}

void ScriptEditorDialog::btn6Click() {
  const int row = selectedPoint();
  if (row < 0) return;
  lv1->DeleteItem(row);
  shadeRows();
}

void ScriptEditorDialog::btn7Click() { moveSelected(-1); }
void ScriptEditorDialog::btn8Click() { moveSelected(+1); }

void ScriptEditorDialog::btn9Click() {
  Platform& platform = host_.platform();
  recording_ = std::make_unique<ClickRecording>(platform.mouse,
                                                platform.recorder.doubleClickTimeMs());
  std::string error;
  // The end comes from the recorder's own source: the dialog shows again
  // once that has returned.
  if (!platform.recorder.start(
          RecordingEndKeys(ReadStopHotkey(host_.settingsFile())),
          [this](MousePress press) { recording_->press(press); },
          [this] { CallAfter(&ScriptEditorDialog::recordingEnded); }, error)) {
    recording_.reset();
    tell(error);
    return;
  }
  closeDialog();
  // No other dialog opens from the main window while the clicks are taken.
  host_.dialogParent()->Disable();
}

void ScriptEditorDialog::recordingEnded() {
  host_.dialogParent()->Enable();
  // The stop hotkey may have ended the recording; no run is to take it.
  host_.forgetStopRequest();
  for (const PointRow& row : recording_->points()) appendPoint(row);
  recording_.reset();
  execute();
}

void ScriptEditorDialog::moveSelected(int step) {
  const int from = selectedPoint();
  const std::optional<int> to = MoveTarget(from, pointCount(), step);
  if (!to) return;
  // The rows exchange their texts; the selection follows the moved point.
  const PointRow moving = point(from);
  setPoint(from, point(*to));
  setPoint(*to, moving);
  selectPoint(*to);
}

int ScriptEditorDialog::pointCount() const { return lv1->GetItemCount(); }

int ScriptEditorDialog::selectedPoint() const {
  return static_cast<int>(lv1->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

void ScriptEditorDialog::selectPoint(int row) {
  const long state = wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED;
  lv1->SetItemState(row, state, state);
  lv1->EnsureVisible(row);
}

PointRow ScriptEditorDialog::point(int row) const {
  return {ToUtf8(lv1->GetItemText(row, ColCoordinate)), ToUtf8(lv1->GetItemText(row, ColAction)),
          ToUtf8(lv1->GetItemText(row, ColInterval))};
}

void ScriptEditorDialog::setPoint(int row, const PointRow& point) {
  lv1->SetItem(row, ColCoordinate, FromUtf8(point.coordinate));
  lv1->SetItem(row, ColAction, FromUtf8(point.action));
  lv1->SetItem(row, ColInterval, FromUtf8(point.interval));
}

void ScriptEditorDialog::appendPoint(const PointRow& point) {
  const long row = lv1->InsertItem(pointCount(), FromUtf8(point.coordinate));
  setPoint(static_cast<int>(row), point);
  lv1CustomDrawItem(static_cast<int>(row));
}

void ScriptEditorDialog::clearPoints() { lv1->DeleteAllItems(); }

void ScriptEditorDialog::lv1CustomDrawItem(int row) {
  lv1->SetItemBackgroundColour(row, row % 2 == 1 ? EnabledRowColour : lv1->GetBackgroundColour());
}

void ScriptEditorDialog::shadeRows() {
  for (int row = 0; row < pointCount(); ++row) lv1CustomDrawItem(row);
}

}  // namespace velmo
