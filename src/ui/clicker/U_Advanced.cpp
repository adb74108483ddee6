#include "ui/clicker/U_Advanced.h"

#include "clicker/ClickEngine.h"
#include "clicker/IntervalJitter.h"
#include "clicker/KeyAndHold.h"
#include "common/KeyFilters.h"
#include "widgets/DialogControls.h"
#include "widgets/WxText.h"

namespace velmo {

TFrm_Advanced::TFrm_Advanced(wxWindow* main)
    : ModalDialog(main, "高级设置", wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX, true) {
  SetClientSize(wxSize(320, 244));
  buildControls();
  btn1->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn1Click(); });
  btn2->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn2Click(); });
  onEveryShowing([this] { FormShow(); });
}

void TFrm_Advanced::buildControls() {
  grp1 = new wxStaticBox(this, wxID_ANY, FromUtf8("点击间隔"), wxPoint(8, 6), wxSize(304, 62));
  LabelAt(this, wxPoint(22, 35), "随机浮动: ±");
  edt1 = EditAt(this, wxPoint(94, 32), 36);
  FilterTyping(edt1, &DigitKeyAccepted, 2);
  const std::string hint = "% (0为固定间隔,最大" + std::to_string(kMaxJitterPercent) + ")";
  LabelAt(this, wxPoint(134, 35), hint.c_str());

  grp2 = new wxStaticBox(this, wxID_ANY, FromUtf8("按下方式"), wxPoint(8, 74), wxSize(304, 92));
  LabelAt(this, wxPoint(22, 103), "按住时间:");
  edt2 = EditAt(this, wxPoint(94, 100), 48);
  FilterTyping(edt2, &DigitKeyAccepted, 5);
  LabelAt(this, wxPoint(146, 103), "毫秒 (0为立即松开)");
  LabelAt(this, wxPoint(22, 135), "键盘按键:");
  cbb1 = ComboAt(this, wxPoint(94, 132), 72, {kNoKeyText}, kNoKeyText);
  for (const std::string& name : ClickKeyNames()) cbb1->Append(FromUtf8(name));
  LabelAt(this, wxPoint(170, 135), "(无为点击鼠标)");

  chk1 = new wxCheckBox(this, wxID_ANY, FromUtf8("鼠标被移开" + std::to_string(kFailSafeDistance) +
                                                 "像素以上时停止点击(&F)"),
                        wxPoint(14, 176));
  const wxSize buttonSize(84, 26);
  btn1 = ButtonAt(this, wxPoint(136, 208), buttonSize, "确定(&O)");
  btn2 = ButtonAt(this, wxPoint(228, 208), buttonSize, "取消(&C)");
  btn1->SetDefault();
}

void TFrm_Advanced::LoadClickerSettings(const ClickerSettings& settings) {
  jitter_ = settings.jitter;
  failsafe_ = settings.failsafe;
  hold_ = settings.hold;
  keypress_ = settings.keypress;
}

void TFrm_Advanced::putKeptSettings(ClickerSettings& settings) const {
  settings.jitter = jitter_;
  settings.failsafe = failsafe_;
  settings.hold = hold_;
  settings.keypress = keypress_;
}

void TFrm_Advanced::FormShow() {
  edt1->ChangeValue(FromUtf8(jitter_));
  chk1->SetValue(failsafe_ == "1");
  edt2->ChangeValue(FromUtf8(hold_));
  ShowComboText(cbb1, keypress_.empty() ? kNoKeyText : keypress_);
  edt1->SetFocus();
  edt1->SelectAll();
}

void TFrm_Advanced::btn1Click() {
  jitter_ = ToUtf8(edt1->GetValue());
  // Unticked writes "0", whatever else the file held.
  failsafe_ = chk1->GetValue() ? "1" : "0";
  hold_ = ToUtf8(edt2->GetValue());
  keypress_ = ToUtf8(cbb1->GetValue());
  if (keypress_ == kNoKeyText) keypress_.clear();
  closeDialog();
}

void TFrm_Advanced::btn2Click() { closeDialog(); }

}  // namespace velmo
