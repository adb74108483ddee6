#include "ui/web/U_FeedBack.h"

#include "ui/web/Browser.h"
#include "ui/web/U_web.h"
#include "widgets/WxText.h"

namespace velmo {

TFrm_FeedBack::TFrm_FeedBack(wxWindow* main, MessageBoxes& boxes, std::string formAddress,
                             std::string postAddress)
    : wxDialog(main, wxID_ANY, FromUtf8("意见反馈"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      boxes_(boxes),
      formAddress_(std::move(formAddress)),
      postAddress_(std::move(postAddress)) {
  SetClientSize(FromDIP(wxSize(517, 239)));
  CentreOnParent();
  CloseOnEscape(*this);
  Bind(wxEVT_SHOW, &TFrm_FeedBack::FormShow, this);
}

void TFrm_FeedBack::FormShow(wxShowEvent& event) {
  if (!event.IsShown()) return;
  if (!wb1) {
    wb1 = NewBrowser(this, wxPoint(0, 0), FromDIP(wxSize(512, 234)));
    wb1->Bind(wxEVT_WEBVIEW_LOADED, &TFrm_FeedBack::wb1DocumentComplete, this);
  }
  wb1->LoadURL(FromUtf8(formAddress_));
}

void TFrm_FeedBack::wb1DocumentComplete(wxWebViewEvent& event) {
  // A post that could not be sent shows the quiet page at the post address.
  if (ShowsQuietPage(*wb1) || event.GetURL() != FromUtf8(postAddress_)) return;
  boxes_.MessageBoxA(static_cast<wxWindow*>(this), "你的反馈信息提交成功", "提示信息",
                    kMbIconInformation);
  Close();
}

}  // namespace velmo
