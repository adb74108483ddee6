// The stop-hotkey dialog: shows the stop hotkey in force, stores the new one
// in setting.ini and has the main window show and register it.
#pragma once

#include "widgets/ModalDialog.h"

namespace velmo {

class ScriptDialogHost;

class TFrm_shotkey : public ModalDialog {
 public:
  explicit TFrm_shotkey(ScriptDialogHost& host);

  void FormShow();   // loads the stored value on every showing
  void btn1Click();  // OK: store, report, reload the list, register, close
  void btn2Click();  // cancel

  wxStaticBox* grp1;
  wxStaticText* lbl1;
  wxComboBox* cbb1;
  wxStaticText* lbl2;
  wxComboBox* cbb2;
  wxStaticText* lbl3;
  wxButton* btn1;
  wxButton* btn2;

 private:
  void buildControls();
  void placeButtons();
  void tell(const std::string& message);

  ScriptDialogHost& host_;
};

}  // namespace velmo
