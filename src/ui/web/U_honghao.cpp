#include "ui/web/U_honghao.h"

#include "ui/web/Browser.h"
#include "widgets/WxText.h"

namespace velmo {

namespace {
constexpr int kDockGap = 5;
constexpr int kDockPeriodMs = 500;
}  // namespace

Thongbao::Thongbao(wxWindow& main, std::string address)
    : wxFrame(&main, wxID_ANY, FromUtf8("支付宝扫码领红包"), wxDefaultPosition,
              wxDefaultSize,
              // A tool window of the main window: no taskbar entry of its own,
              // minimised and restored with it by the window manager.
              wxCAPTION | wxRESIZE_BORDER | wxFRAME_TOOL_WINDOW | wxFRAME_FLOAT_ON_PARENT),
      main_(main),
      address_(std::move(address)) {
  SetClientSize(FromDIP(wxSize(302, 466)));
  // GTK never shrinks a window that is not resizable, and the popup must take
  // the main window's height. A resizable window whose least and largest
  // sizes are its own is still fixed for the user.
  SetSizeHints(GetSize(), GetSize());
  CentreOnScreen();
  tmr1.SetOwner(this);
  Bind(wxEVT_TIMER, &Thongbao::tmr1Timer, this);
  Bind(wxEVT_SHOW, &Thongbao::FormShow, this);
  Bind(wxEVT_CLOSE_WINDOW, &Thongbao::FormClose, this);
}

void Thongbao::FormShow(wxShowEvent& event) {
  if (!event.IsShown()) return;
  if (!wb1) {
    // The frame's only child fills its client area, also after the timer
    // changes the height.
    wb1 = NewBrowser(this, wxPoint(0, 0), GetClientSize());
    wb1->Bind(wxEVT_WEBVIEW_TITLE_CHANGED, &Thongbao::wb1TitleChange, this);
  }
  wb1->LoadURL(FromUtf8(address_));
  tmr1.Start(kDockPeriodMs);
}

void Thongbao::tmr1Timer(wxTimerEvent&) {
  const wxRect dock = main_.GetRect();
  const wxSize size(GetSize().x, dock.height);
  SetSizeHints(size, size);
  SetSize(wxRect(wxPoint(dock.x + dock.width + kDockGap, dock.y), size));
}

void Thongbao::wb1TitleChange(wxWebViewEvent& event) {
  if (IsSitePage(*wb1, event)) SetTitle(event.GetString());
}

void Thongbao::FormClose(wxCloseEvent& event) {
  // Without a close box only the window manager asks (Alt+F4); the popup
  // stays. A close that cannot be refused is the program ending.
  if (event.CanVeto()) {
    event.Veto();
    return;
  }
  Destroy();
}

}  // namespace velmo
