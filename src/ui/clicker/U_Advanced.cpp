#include "ui/clicker/U_Advanced.h"

#include "clicker/IntervalJitter.h"
#include "common/KeyFilters.h"
#include "widgets/DialogControls.h"
#include "widgets/WxText.h"

namespace velmo {

TFrm_Advanced::TFrm_Advanced(wxWindow* main)
    : ModalDialog(main, "高级设置", wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX, true) {
  SetClientSize(wxSize(320, 118));
  buildControls();
  btn1->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn1Click(); });
  btn2->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn2Click(); });
  // wx sends this on every showing, once the window is on screen.
  Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& event) {
    FormShow();
    event.Skip();
  });
}

void TFrm_Advanced::buildControls() {
  grp1 = new wxStaticBox(this, wxID_ANY, FromUtf8("点击间隔"), wxPoint(8, 6), wxSize(304, 62));
  LabelAt(this, wxPoint(22, 35), "随机浮动: ±");
  edt1 = EditAt(this, wxPoint(94, 32), 36);
  FilterTyping(edt1, &DigitKeyAccepted, 2);
  const std::string hint = "% (0为固定间隔,最大" + std::to_string(kMaxJitterPercent) + ")";
  LabelAt(this, wxPoint(134, 35), hint.c_str());
  const wxSize buttonSize(84, 26);
  btn1 = ButtonAt(this, wxPoint(136, 80), buttonSize, "确定(&O)");
  btn2 = ButtonAt(this, wxPoint(228, 80), buttonSize, "取消(&C)");
  btn1->SetDefault();
}

void TFrm_Advanced::LoadClickerSettings(const ClickerSettings& settings) {
  jitter_ = settings.jitter;
}

void TFrm_Advanced::putKeptSettings(ClickerSettings& settings) const { settings.jitter = jitter_; }

void TFrm_Advanced::FormShow() {
  edt1->ChangeValue(FromUtf8(jitter_));
  edt1->SetFocus();
  edt1->SelectAll();
}

void TFrm_Advanced::btn1Click() {
  jitter_ = ToUtf8(edt1->GetValue());
  closeDialog();
}

void TFrm_Advanced::btn2Click() { closeDialog(); }

}  // namespace velmo
