// The main window's web parts: the update strip wb1 and the hidden browsers
// wb2 (statistics) and wb4 (never navigates), the status-bar link lbl12, the
// buttons and banner that open pages and windows, the close-time page, and
// the tray icon rztrycn1 with its menu pm1. The browsers are made by the
// first start-up step, once the main window is on screen, so that the window
// never waits for the web engine.
#pragma once

#include <wx/control.h>
#include <wx/event.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/webview.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/web/MainWebHost.h"
#include "web/UpdateCheckQueue.h"
#include "web/WebPages.h"

namespace velmo {

class TrayIcon;
class TFrm_web;
class Thongbao;
class TFrm_FeedBack;

class MainWeb : public MainWebParts, public wxEvtHandler {
 public:
  // `endApplication` ends the program without the main window's close query.
  MainWeb(MainWebHost& main, TFrm_web& web, Thongbao& hongbao, TFrm_FeedBack& feedback,
          WebPages pages, std::function<void()> endApplication);
  ~MainWeb() override;

  void showPopupAndLinkCaption() override;
  void navigateStatistics() override;
  void navigateUpdateStrip() override;
  void placeLinkLabel() override;
  void closeTimePage() override;

  void img1Click(wxMouseEvent& event);
  void btn4Click(wxCommandEvent& event);
  void btn12Click(wxCommandEvent& event);
  void btn5Click(wxCommandEvent& event);
  void btn3Click(wxCommandEvent& event);
  void btn2Click(wxCommandEvent& event);
  void lbl12Click(wxMouseEvent& event);
  void wb1DocumentComplete(wxWebViewEvent& event);
  void wb1NewWindow2(wxWebViewEvent& event);
  void wb4BeforeNavigate2(wxWebViewEvent& event);
  void N5Click(wxCommandEvent& event);
  void N1Click(wxCommandEvent& event);
  void N3Click(wxCommandEvent& event);

  wxWebView* wb1 = nullptr;  // the browsers are null until the start-up made them
  wxWebView* wb2 = nullptr;
  wxWebView* wb4 = nullptr;
  wxControl* lbl12 = nullptr;  // a static text with a window of its own, for the clicks
  wxMenu pm1;
  wxMenuItem* N5 = nullptr;
  wxMenuItem* N4 = nullptr;
  wxMenuItem* N1 = nullptr;
  wxMenuItem* N2 = nullptr;
  wxMenuItem* N3 = nullptr;
  std::unique_ptr<TrayIcon> rztrycn1;

 private:
  void createControls();
  void createBrowsers();
  void createTrayMenu();
  void bindHandlers();
  // Navigates the shared web window, then shows it modally.
  void openInWebWindow(const std::string& address);
  void openAboutBox();
  void checkUpdatePage(const std::function<void()>& endApplication);

  MainWebHost& main_;
  TFrm_web& web_;
  Thongbao& hongbao_;
  TFrm_FeedBack& feedback_;
  WebPages pages_;
  std::function<void()> endApplication_;
  UpdateCheckQueue updateChecks_;
};

}  // namespace velmo
