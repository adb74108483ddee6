#include "ui/web/U_web.h"

#include <wx/sizer.h>

#include "ui/web/Browser.h"
#include "widgets/WxText.h"

namespace velmo {

TFrm_web::TFrm_web(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, FromUtf8("正在打开...."), wxDefaultPosition,
               wxSize(800, 600),
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxMINIMIZE_BOX | wxMAXIMIZE_BOX |
                   wxRESIZE_BORDER) {
  SetSizer(new wxBoxSizer(wxVERTICAL));
  // Asked before the first showing, the window manager maximises the window
  // whenever it appears, as long as the user has not restored it.
  Maximize();
  Bind(wxEVT_SHOW, &TFrm_web::FormShow, this);
  CloseOnEscape(*this);
}

wxWebView& TFrm_web::browser() {
  if (wb1) return *wb1;
  wb1 = NewBrowser(this, wxDefaultPosition, wxDefaultSize);
  GetSizer()->Add(wb1, 1, wxEXPAND);
  Layout();
  wb1->Bind(wxEVT_WEBVIEW_TITLE_CHANGED, &TFrm_web::wb1TitleChange, this);
  wb1->Bind(wxEVT_WEBVIEW_NEWWINDOW, &TFrm_web::wb1NewWindow2, this);
  return *wb1;
}

void TFrm_web::FormShow(wxShowEvent& event) {
  if (event.IsShown()) browser();
  event.Skip();
}

void CloseOnEscape(wxDialog& window) {
  // wx turns Escape into a press of a cancel button, and these windows have
  // none; without a window manager there is no close box either.
  window.Bind(wxEVT_CHAR_HOOK, [&window](wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers()) window.Close();
    else event.Skip();
  });
}

void TFrm_web::wb1TitleChange(wxWebViewEvent& event) {
  if (IsSitePage(*wb1, event)) SetTitle(event.GetString());
}

void TFrm_web::wb1NewWindow2(wxWebViewEvent& event) { wb1->LoadURL(event.GetURL()); }

}  // namespace velmo
