#include "ui/web/U_AboutBox.h"

#include <wx/button.h>
#include <wx/panel.h>
#include <wx/statbmp.h>

#include "ui/web/U_FeedBack.h"
#include "web/UpdateCheck.h"
#include "widgets/DpiLayout.h"
#include "widgets/Resources.h"
#include "widgets/WxText.h"

namespace velmo {

namespace {


}  // namespace

TAboutBox::TAboutBox(TFrm_FeedBack& feedback, const std::string& makerSite)
    : wxDialog(nullptr, wxID_ANY, FromUtf8("关于"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      feedback_(feedback) {
  SetClientSize(411, 222);
  auto* Panel1 = new wxPanel(this, wxID_ANY, wxPoint(8, 8), wxSize(395, 169), wxBORDER_RAISED);
  auto* ProgramIcon =
      new wxStaticBitmap(Panel1, wxID_ANY, ProgramIconBitmap(), wxPoint(8, 8), wxSize(32, 32));
  ProgramIcon->SetCursor(wxCursor(wxCURSOR_HAND));
  ProductName =
      new wxStaticText(Panel1, wxID_ANY, FromUtf8(std::string("Velmo鼠标自动点击器") + kProgramVersion),
                       wxPoint(88, 16));
  Version = new wxStaticText(Panel1, wxID_ANY, FromUtf8(std::string("版本:") + kProgramVersion),
                             wxPoint(88, 40));
  Copyright = new wxStaticText(Panel1, wxID_ANY, FromUtf8(makerSite), wxPoint(8, 80));
  Copyright->SetForegroundColour(*wxBLUE);
  Copyright->SetCursor(wxCursor(wxCURSOR_HAND));

  OKButton = new wxButton(this, wxID_OK, FromUtf8("确定(&O)"), wxPoint(123, 187), wxSize(75, 25));
  OKButton->SetDefault();
  btn1 = new wxButton(this, wxID_ANY, FromUtf8("意见反馈"), wxPoint(213, 187), wxSize(75, 25));
  btn1->Bind(wxEVT_BUTTON, &TAboutBox::btn1Click, this);
  ScaleLayoutToDpi(this);
  CentreOnScreen();
}

void TAboutBox::btn1Click(wxCommandEvent&) { feedback_.Show(); }

}  // namespace velmo
