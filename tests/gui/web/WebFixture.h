// The main window with its web parts on the fake platform, every browser
// pointed at pages of a loopback server that the test fills.
#pragma once

#include <wx/dialog.h>
#include <wx/eventfilter.h>
#include <wx/timer.h>
#include <wx/webview.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "GuiFixture.h"
#include "LoopbackServer.h"
#include "ui/web/MainWeb.h"
#include "ui/web/U_FeedBack.h"
#include "ui/web/U_honghao.h"
#include "ui/web/U_web.h"
#include "web/WebPages.h"

namespace velmo::test {

// Handles pending events until `done` holds. Gives up after a bounded number
// of rounds, so that a failing test ends instead of hanging; the caller
// asserts on the condition.
bool pumpUntil(const std::function<bool()>& done);

// A page with a title and a body.
std::string Page(const std::string& title, const std::string& body = "");
// A page whose script defines `globals` ("var app_version = '6.6'; ...").
std::string ScriptPage(const std::string& title, const std::string& globals);

// Whether `browser` has completed the document at `address`.
bool HasLoaded(const wxWebView& browser, const std::string& address);

// Records the documents each browser completes (wxEVT_WEBVIEW_LOADED), seen
// before any handler of the program runs.
class LoadLog : public wxEventFilter {
 public:
  LoadLog() { wxEvtHandler::AddFilter(this); }
  ~LoadLog() override { wxEvtHandler::RemoveFilter(this); }
  int FilterEvent(wxEvent& event) override;
  // How often `browser` completed the document at `address`.
  int count(const wxWebView* browser, const std::string& address) const;

 private:
  std::vector<std::pair<const wxObject*, std::string>> loads_;
};

// Records the decision of the program's handlers on every navigation request
// of one browser: the filter runs the handlers itself and reads the result.
class NavigationDecisions : public wxEventFilter {
 public:
  explicit NavigationDecisions(wxWebView* browser) : browser_(browser) {
    wxEvtHandler::AddFilter(this);
  }
  ~NavigationDecisions() override { wxEvtHandler::RemoveFilter(this); }
  int FilterEvent(wxEvent& event) override;

  std::vector<bool> allowed;

 private:
  wxWebView* browser_;
  bool inside_ = false;
};

// Ends the modal showing of the dialog that `find` returns, from inside its
// modal loop, once `ready` holds for it; after a bounded number of checks it
// ends it anyway. Runs until the first modal showing ended.
class EndModalWhen {
 public:
  EndModalWhen(std::function<wxDialog*()> find, std::function<bool(wxDialog&)> ready);
  bool ended() const { return ended_; }
  bool wasReady() const { return wasReady_; }

 private:
  void check(wxTimerEvent&);

  std::function<wxDialog*()> find_;
  std::function<bool(wxDialog&)> ready_;
  wxTimer timer_;
  int checks_ = 0;
  bool ended_ = false;
  bool wasReady_ = false;
};

struct WebWindowsFixture : MainWindowFixture {
  LoopbackServer server;
  WebPages pages;
  TFrm_web* web = nullptr;
  Thongbao* hongbao = nullptr;
  TFrm_FeedBack* feedback = nullptr;
  MainWeb* parts = nullptr;
  int endRequests = 0;

  void SetUp() override;
  // The windows of the program's start-up order, then the main window's web parts.
  void createWeb();
  void startWeb() {
    createWeb();
    main->FormShow();
  }
};

}  // namespace velmo::test
