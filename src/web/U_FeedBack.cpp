#include "web/U_FeedBack.h"

#include "web/Browser.h"

namespace velmo {

TFrm_FeedBack::TFrm_FeedBack(wxWindow* main, MessageBoxes& boxes, std::string formAddress,
                             std::string postAddress)
    : wxDialog(main, wxID_ANY, wxString::FromUTF8("意见反馈"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      boxes_(boxes),
      formAddress_(std::move(formAddress)),
      postAddress_(std::move(postAddress)) {
  SetClientSize(517, 239);
  wb1 = NewBrowser(this, wxPoint(0, 0), wxSize(512, 234));
  CentreOnParent();
  Bind(wxEVT_SHOW, &TFrm_FeedBack::FormShow, this);
  wb1->Bind(wxEVT_WEBVIEW_LOADED, &TFrm_FeedBack::wb1DocumentComplete, this);
}

void TFrm_FeedBack::FormShow(wxShowEvent& event) {
  if (event.IsShown()) wb1->LoadURL(wxString::FromUTF8(formAddress_));
}

void TFrm_FeedBack::wb1DocumentComplete(wxWebViewEvent& event) {
  if (event.GetURL() != wxString::FromUTF8(postAddress_)) return;
  boxes_.MessageBoxA(static_cast<wxWindow*>(this), "你的反馈信息提交成功", "提示信息",
                     kMbIconInformation);
  Close();
}

}  // namespace velmo
