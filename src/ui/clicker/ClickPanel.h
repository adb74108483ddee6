// The single-point panel on the first tab page: group box "热键设置" with the
// controls the click engine reads live at every tick.
#pragma once

#include <wx/wx.h>

#include "clicker/ClickEngine.h"
#include "settings/ClickerSettings.h"

namespace velmo {

class ClickPanel : public ClickPanelView {
 public:
  // Builds the controls on `page`, the group box at `origin`.
  ClickPanel(wxWindow* page, wxPoint origin, int width);

  // Puts loaded settings into the controls in the order xpos, ypos, btn1,
  // btn_type, time, hotkey1, hotkey2, click.
  void LoadClickerSettings(const ClickerSettings& settings);
  ClickerSettings currentSettings() const;

  std::string buttonText() override;
  std::string typeText() override;
  bool fixedPosition() override;
  std::string xText() override;
  std::string yText() override;
  std::string limitText() override;

  void chk1Click();

  wxStaticBox* grp1;
  wxComboBox* cbb1;
  wxComboBox* cbb2;
  wxComboBox* cbb3;
  wxTextCtrl* edt1;
  wxComboBox* cbb4;
  wxComboBox* cbb5;
  wxCheckBox* chk1;
  wxButton* btn1;
  wxButton* btn18;  // opens the advanced settings
  wxTextCtrl* edt2;
  wxTextCtrl* edt3;
};

}  // namespace velmo
