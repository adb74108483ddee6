#include "ui/clicker/ClickPanel.h"

#include "common/KeyFilters.h"
#include "hotkeys/HotkeyText.h"
#include "widgets/DialogControls.h"
#include "widgets/WxText.h"

namespace velmo {

namespace {

void labelAt(wxWindow* parent, wxPoint at, const char* text, wxColour colour = wxNullColour) {
  wxStaticText* label = LabelAt(parent, at, text);
  if (colour.IsOk()) label->SetForegroundColour(colour);
}

}  // namespace

ClickPanel::ClickPanel(wxWindow* page, wxPoint o, int width) {
  const auto at = [o](int x, int y) { return wxPoint(o.x + x, o.y + y); };
  grp1 = new wxStaticBox(page, wxID_ANY, FromUtf8("热键设置"), o, wxSize(width, 190));

  labelAt(page, at(60, 23), "鼠 标:");
  cbb1 = ComboAt(page, at(101, 20), 55, {"左键", "右键", "中键"}, "左键");
  labelAt(page, at(165, 23), "事件:");
  cbb2 = ComboAt(page, at(198, 20), 58, {"单击", "双击"}, "单击");
  labelAt(page, at(270, 23), "速度为");
  cbb3 = ComboAt(page, at(309, 19), 59,
                 {"0.001", "0.005", "0.010", "0.1", "0.2", "0.5", "1", "2", "5", "10", "20", "50",
                  "60", "120"},
                 "0.001");
  labelAt(page, at(372, 23), "秒一次");

  labelAt(page, at(55, 49), "点击数:");
  edt1 = EditAt(page, at(100, 46), 56);
  labelAt(page, at(160, 49), "(点击次数达到了设置的点击数后会自动停止,0为不限制)");

  labelAt(page, at(45, 79), "启动/停止热键:");
  cbb4 = ComboAt(page, at(132, 76), 61, {"Ctrl", "Ctrl+Alt", "无"}, "Ctrl");
  labelAt(page, at(196, 79), "十");
  cbb5 = ComboAt(page, at(209, 76), 49, kFunctionKeys, "F1");

  // Created in the panel's tab order: chk1, then btn1 and btn18, then X and Y.
  chk1 = new wxCheckBox(page, wxID_ANY, FromUtf8("指定坐标"), at(45, 111));
  btn1 = new wxButton(page, wxID_ANY, FromUtf8("保存设置(&S)"), at(442, 77),
                      wxSize(87, 25));
  btn18 = new wxButton(page, wxID_ANY, FromUtf8("高级设置(&V)"), at(442, 108),
                       wxSize(87, 25));
  labelAt(page, at(118, 111), "X:");
  edt2 = EditAt(page, at(132, 108), 40);
  labelAt(page, at(179, 111), "Y:");
  edt3 = EditAt(page, at(193, 108), 43);
  labelAt(page, at(242, 111), "输入要点击的鼠标坐标位置");
  edt2->Disable();
  edt3->Disable();

  labelAt(page, at(45, 150),
          "单点点击的设置好后,把鼠标移动到要点击的位置,按设置好的热键就可以启动点击了.",
          wxColour(0, 0, 255));

  for (wxTextCtrl* edit : {edt1, edt2, edt3}) FilterTyping(edit, &DigitKeyAccepted);
  chk1->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { chk1Click(); });
}

void ClickPanel::LoadClickerSettings(const ClickerSettings& s) {
  edt2->ChangeValue(FromUtf8(s.xpos));
  edt3->ChangeValue(FromUtf8(s.ypos));
  ShowComboText(cbb1, s.btn1);
  ShowComboText(cbb2, s.btn_type);
  ShowComboText(cbb3, s.time);
  ShowComboText(cbb4, s.hotkey1);
  ShowComboText(cbb5, s.hotkey2);
  edt1->ChangeValue(FromUtf8(s.click));
}

ClickerSettings ClickPanel::currentSettings() const {
  ClickerSettings s;
  s.btn1 = ToUtf8(cbb1->GetValue());
  s.btn_type = ToUtf8(cbb2->GetValue());
  s.time = ToUtf8(cbb3->GetValue());
  s.hotkey1 = ToUtf8(cbb4->GetValue());
  s.hotkey2 = ToUtf8(cbb5->GetValue());
  s.click = ToUtf8(edt1->GetValue());
  s.xpos = ToUtf8(edt2->GetValue());
  s.ypos = ToUtf8(edt3->GetValue());
  return s;
}

void ClickPanel::chk1Click() {
  edt2->Enable(chk1->GetValue());
  edt3->Enable(chk1->GetValue());
}

std::string ClickPanel::buttonText() { return ToUtf8(cbb1->GetValue()); }
std::string ClickPanel::typeText() { return ToUtf8(cbb2->GetValue()); }
bool ClickPanel::fixedPosition() { return chk1->GetValue(); }
std::string ClickPanel::xText() { return ToUtf8(edt2->GetValue()); }
std::string ClickPanel::yText() { return ToUtf8(edt3->GetValue()); }
std::string ClickPanel::limitText() { return ToUtf8(edt1->GetValue()); }

}  // namespace velmo
