#include "ui/scripts/U_shotkey.h"

#include "common/Texts.h"
#include "scripts/HotkeyFields.h"
#include "settings/ClickerSettings.h"
#include "ui/scripts/ScriptDialogHost.h"
#include "widgets/DialogControls.h"
#include "widgets/WxText.h"

#include <algorithm>

namespace velmo {

TFrm_shotkey::TFrm_shotkey(ScriptDialogHost& host)
    : ModalDialog(host.dialogParent(), "停止热键设置",
                  wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER, false),
      host_(host) {
  SetClientSize(ClientAreaOf(wxSize(357, 222)));
  buildControls();
  btn1->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn1Click(); });
  btn2->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn2Click(); });
  Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    placeButtons();
    event.Skip();
  });
  onEveryShowing([this] { FormShow(); });
}

void TFrm_shotkey::buildControls() {
  const int width = GetClientSize().x;
  grp1 = new wxStaticBox(this, wxID_ANY, FromUtf8("热键设置"), wxPoint(8, 6),
                         wxSize(width - 16, 66));
  lbl1 = LabelAt(this, wxPoint(24, 35), "热键:");
  const HotkeyCombos hotkey = HotkeyCombosAt(this, wxPoint(64, 32), 90, "F9");
  cbb1 = hotkey.modifier;
  lbl2 = hotkey.plus;
  cbb2 = hotkey.key;
  lbl3 = LabelAt(this, wxPoint(12, 82),
                 "多点点击的一般都是执行完点击的会自动停止的，如果有时要停止运行点击可以用这里设置的"
                 "热键来停止点击器的点击.");
  WrapAnywhere(lbl3, width - 24);
  const wxSize buttonSize(84, 26);
  btn1 = ButtonAt(this, wxDefaultPosition, buttonSize, "确定(&O)");
  btn2 = ButtonAt(this, wxDefaultPosition, buttonSize, "取消(&C)");
  placeButtons();
}

void TFrm_shotkey::placeButtons() {
  // The buttons keep to the client area's bottom right corner, however the
  // frame and the user size it, and 2 pixels below the hint at least, whose
  // lines a larger font may have made more.
  const wxSize client = GetClientSize();
  const int top = std::max(client.y - 46, lbl3->GetRect().GetBottom() + 1 + 2);
  btn1->Move(client.x - 184, top);
  btn2->Move(client.x - 94, top);
}

void TFrm_shotkey::tell(const std::string& message) {
  host_.platform().boxes.MessageBoxA(static_cast<wxWindow*>(this), message, kDialogCaption,
                                     kMbOk | kMbIconInformation);
}

void TFrm_shotkey::FormShow() {
  btn1->SetFocus();
  ShowHotkeyFields(LoadStopHotkeyFields(host_.settingsFile()), cbb1, cbb2);
}

void TFrm_shotkey::btn1Click() {
  ProfileFile& file = host_.settingsFile();
  if (const auto refusal =
          SaveStopHotkey(file, {ToUtf8(cbb1->GetValue()), ToUtf8(cbb2->GetValue())})) {
    tell(*refusal);
    cbb2->SetFocus();
    return;
  }
  tell("热键设置成功,所有点击的记录都是这个热键停止.");
  host_.LoadScriptList();
  host_.RegisterStopHotkey(ReadStopHotkey(file));
  closeDialog();
}

void TFrm_shotkey::btn2Click() { closeDialog(); }

}  // namespace velmo
