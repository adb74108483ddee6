// The red-packet popup (hongbao): a fixed window with a browser, shown beside
// the main window at start-up and kept docked 5 pixels to its right, with the
// same top and height, by a 500 ms timer. It has no close box and the program
// never hides it: it ends with the main window, its parent.
#pragma once

#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/webview.h>

#include <string>

namespace velmo {

class Thongbao : public wxFrame {
 public:
  Thongbao(wxWindow& main, std::string address);

  // Navigates to the red-packet page and starts docking, at every show.
  void FormShow(wxShowEvent& event);
  void tmr1Timer(wxTimerEvent& event);
  // Caption := the page title, as in the web window.
  void wb1TitleChange(wxWebViewEvent& event);

  wxWebView* wb1 = nullptr;  // made at the first show
  wxTimer tmr1;

 private:
  void FormClose(wxCloseEvent& event);

  wxWindow& main_;
  std::string address_;
};

}  // namespace velmo
