// The advanced settings of the single-point clicker: values the page has no
// room for. OK keeps them here; the page's save writes them to setting.ini
// with the others.
#pragma once

#include "settings/ClickerSettings.h"
#include "widgets/ModalDialog.h"

namespace velmo {

// The key list's first entry: no key, the mouse clicks.
inline constexpr const char* kNoKeyText = "无";

class TFrm_Advanced : public ModalDialog {
 public:
  explicit TFrm_Advanced(wxWindow* main);

  // The kept values, as loaded at start-up or confirmed with OK.
  void LoadClickerSettings(const ClickerSettings& settings);
  void putKeptSettings(ClickerSettings& settings) const;

  void FormShow();   // shows the kept values on every showing
  void btn1Click();  // OK: keep the values, close
  void btn2Click();  // cancel

  wxStaticBox* grp1;
  wxTextCtrl* edt1;  // jitter, percent
  wxStaticBox* grp2;
  wxTextCtrl* edt2;  // hold, milliseconds
  wxComboBox* cbb1;  // key pressed instead of the mouse button
  wxCheckBox* chk1;  // fail-safe
  wxButton* btn1;
  wxButton* btn2;

 private:
  void buildControls();

  std::string jitter_ = ClickerSettings{}.jitter;
  std::string failsafe_ = ClickerSettings{}.failsafe;
  std::string hold_ = ClickerSettings{}.hold;
  std::string keypress_ = ClickerSettings{}.keypress;
};

}  // namespace velmo
