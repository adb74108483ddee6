#include "ui/scripts/PointDialog.h"

#include "common/Errors.h"
#include "common/KeyFilters.h"
#include "common/Texts.h"
#include "platform/PointPicker.h"
#include "ui/scripts/ScriptDialogHost.h"
#include "ui/scripts/ScriptEditorDialog.h"
#include "widgets/DialogControls.h"
#include "widgets/WxText.h"

namespace velmo {

namespace {

constexpr const char* kCaptureConflict = "您设置的热键于其他程序的热键冲突,请选择过热键.";
constexpr const char* kFirstAction = "左键单击";
constexpr const char* kFirstInterval = "20";

const char* const kHelpLines[] = {
    "把鼠标指针放到要点击的地方,按F11自动会获取所在的坐标",
    "点击事件选择是要鼠标左键点击还是右键点击",
    "间隔时间是当前点击完成后要停止多少时间才点击一下个点击记录。",
    "这个间隔时间具体根据电脑的配置来设置的。",
};

wxString HelpText(bool allLines) {
  wxString text = FromUtf8(kHelpLines[0]);
  if (!allLines) return text;
  for (size_t i = 1; i < std::size(kHelpLines); ++i)
    text << "\n" << FromUtf8(kHelpLines[i]);
  return text;
}

constexpr long kFixedBorder = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX;
constexpr long kSizeableBorder = kFixedBorder | wxRESIZE_BORDER;

}  // namespace

// Only the first adds with a comma check; only the second ignores Escape and
// reads out slowly with both axes named; the last holds F11 under id 1081.
const PointDialogKind kAddPointKind{
    .commit = PointCommit::Append, .hotkeyId = 1008, .commaCheck = true, .escapeCloses = true,
    .readoutPeriodMs = 500, .readout = ReadoutStyle::Compact,
    .style = kFixedBorder | wxMINIMIZE_BOX, .size = wxSize(399, 245), .clientSize = true};
const PointDialogKind kModAddPointKind{
    .commit = PointCommit::Append, .hotkeyId = 1008, .commaCheck = false, .escapeCloses = false,
    .readoutPeriodMs = 1000, .readout = ReadoutStyle::Labelled,
    .style = kSizeableBorder, .size = wxSize(384, 303), .clientSize = false};
const PointDialogKind kModPointKind{
    .commit = PointCommit::Rewrite, .hotkeyId = 1008, .commaCheck = false, .escapeCloses = true,
    .readoutPeriodMs = 500, .readout = ReadoutStyle::Compact,
    .style = kSizeableBorder, .size = wxSize(403, 240), .clientSize = false};
const PointDialogKind kModPoint2Kind{
    .commit = PointCommit::Rewrite, .hotkeyId = 1081, .commaCheck = false, .escapeCloses = true,
    .readoutPeriodMs = 500, .readout = ReadoutStyle::Compact,
    .style = kFixedBorder, .size = wxSize(362, 198), .clientSize = true};

PointDialog::PointDialog(ScriptDialogHost& host, const PointDialogKind& kind)
    : ModalDialog(host.dialogParent(),
                  kind.commit == PointCommit::Append ? "添加坐标" : "修改坐标", kind.style,
                  kind.escapeCloses),
      platform_(host.platform()),
      kind_(kind) {
  SetClientSize(kind.clientSize ? kind.size : ClientAreaOf(kind.size));
  buildControls();
  bindHandlers();
}

void PointDialog::buildControls() {
  const int width = GetClientSize().x;
  const bool colon = adds();
  grp1 = new wxStaticBox(this, wxID_ANY, FromUtf8("鼠标坐标属性"), wxPoint(8, 6),
                         wxSize(width - 120, 130));
  lbl6 = LabelAt(this, wxPoint(20, 27), "当前坐标:");
  lbl1 = LabelAt(this, wxPoint(20, 53), "鼠标坐标:");
  edt1 = EditAt(this, wxPoint(84, 50), 110);
  lbl2 = LabelAt(this, wxPoint(20, 79), colon ? "点击事件:" : "点击事件");
  cbb1 = ComboAt(this, wxPoint(84, 76), 110, {"左键单击", "左键双击", "右键单击", "右键双击", "无点击"},
                 kFirstAction);
  lbl3 = LabelAt(this, wxPoint(20, 105), colon ? "间隔时间:" : "间隔时间");
  cbb2 = ComboAt(this, wxPoint(84, 102), 80,
                 {"30", "50", "100", "200", "300", "500", "1000", "1500", "2000", "3000", "5000"},
                 kFirstInterval);
  lbl5 = LabelAt(this, wxPoint(168, 105), "豪秒");
  lbl4 = new wxStaticText(this, wxID_ANY, HelpText(adds()), wxPoint(8, 144));
  WrapAnywhere(lbl4, width - 16);  // the longest line is wider than the narrower dialogs
  const wxSize buttonSize(90, 26);
  btn1 = ButtonAt(this, wxPoint(width - 102, 14), buttonSize, adds() ? "添加(&A)" : "确定(&O)");
  btn2 = ButtonAt(this, wxPoint(width - 102, 48), buttonSize, "关闭(&C)");
  if (platform_.picker) btn3 = ButtonAt(this, wxPoint(width - 102, 82), buttonSize, "拾取(&P)");
}

void PointDialog::bindHandlers() {
  btn1->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn1Click(); });
  btn2->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn2Click(); });
  if (btn3) btn3->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn3Click(); });
  onEveryShowing([this] { FormShow(); });
  // edt1KeyPress: the add dialogs take digits and commas only.
  FilterTyping(edt1, adds() ? &CoordinateKeyAccepted : nullptr, kCoordinateTypedLimit);
}

void PointDialog::load(const PointRow& point) {
  edt1->ChangeValue(FromUtf8(point.coordinate));
  ShowComboText(cbb1, point.action);
  ShowComboText(cbb2, point.interval);
}

void PointDialog::tell(const std::string& message, unsigned icon) {
  platform_.boxes.MessageBoxA(static_cast<wxWindow*>(this), message, kDialogCaption, kMbOk | icon);
}

void PointDialog::FormShow() {
  if (adds()) SetWindowStyleFlag(GetWindowStyleFlag() | wxSTAY_ON_TOP);
  RegisterCaptureKey();
  if (!platform_.timers.SetTimer(this, tmr1, kind_.readoutPeriodMs, [this] { tmr1Timer(); }))
    throw AppError("SetTimer failed: the cursor read-out of the point dialog cannot run");
}

void PointDialog::RegisterCaptureKey() {
  Hotkeys& hotkeys = platform_.hotkeys;
  try {
    hotkeys.UnregisterHotKey(this, kind_.hotkeyId);
    if (hotkeys.RegisterHotKey(this, kind_.hotkeyId, 0, kCaptureKeyVk)) return;
  } catch (const std::exception&) {
    // Whatever fails here, the dialog works on without the capture key.
  }
  tell(kCaptureConflict, kMbIconInformation);
  hotkeys.UnregisterHotKey(this, kind_.hotkeyId);
}

// Any hotkey the dialog holds is the capture key.
void PointDialog::WMHotKey(int) {
  edt1->ChangeValue(FromUtf8(CaptureText(platform_.mouse.GetCursorPos())));
}

void PointDialog::tmr1Timer() {
  lbl6->SetLabel(FromUtf8(CursorReadout(platform_.mouse, kind_.readout)));
}

void PointDialog::FormClose() {
  platform_.hotkeys.UnregisterHotKey(this, kind_.hotkeyId);
  platform_.timers.KillTimer(this, tmr1);
}

void PointDialog::closeDialog() {
  FormClose();
  ModalDialog::closeDialog();
}

PointRow PointDialog::currentPoint() const {
  return {ToUtf8(edt1->GetValue()), ToUtf8(cbb1->GetValue()), ToUtf8(cbb2->GetValue())};
}

void PointDialog::btn1Click() {
  const PointRow point = currentPoint();
  if (const auto refusal = CheckPoint(point, kind_.commaCheck)) {
    refuse(*refusal);
    return;
  }
  if (!adds()) {
    if (const int row = editor_->selectedPoint(); row >= 0) editor_->setPoint(row, point);
    closeDialog();
    return;
  }
  editor_->appendPoint(point);
  resetFields();
}

void PointDialog::btn2Click() { closeDialog(); }

// The overlay covers the whole desktop, this dialog included; a click on it
// gives the point as F11 would, Esc leaves the coordinate as it was.
void PointDialog::btn3Click() {
  platform_.picker->pick([this](std::optional<CursorPoint> point) {
    if (point) edt1->ChangeValue(FromUtf8(CaptureText(*point)));
    Raise();
    edt1->SetFocus();
  });
}

void PointDialog::refuse(const PointRefusal& refusal) {
  tell(refusal.message, kMbIconWarning);
  if (refusal.clearCoordinate) edt1->ChangeValue("");
  if (!refusal.focus) return;
  wxWindow* const fields[] = {edt1, cbb1, cbb2};  // in the order of PointField
  fields[static_cast<int>(*refusal.focus)]->SetFocus();
}

void PointDialog::resetFields() {
  edt1->ChangeValue("");
  ShowComboText(cbb1, kFirstAction);
  ShowComboText(cbb2, kFirstInterval);
}

}  // namespace velmo
