#include "WebFixture.h"

#include <chrono>
#include <thread>

namespace velmo::test {

bool pumpUntil(const std::function<bool()>& done) {
  for (int round = 0; round < 3000; ++round) {
    if (done()) return true;
    wxTheApp->Yield(true);
    wxTheApp->ProcessIdle();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return done();
}

std::string Page(const std::string& title, const std::string& body) {
  return "<!DOCTYPE html><html><head><meta charset='utf-8'><title>" + title +
         "</title></head><body>" + body + "</body></html>";
}

std::string ScriptPage(const std::string& title, const std::string& globals) {
  return Page(title, "<script>" + globals + "</script>");
}

bool HasLoaded(const wxWebView& browser, const std::string& address) {
  return !browser.IsBusy() && browser.GetCurrentURL() == wxString::FromUTF8(address);
}

int LoadLog::FilterEvent(wxEvent& event) {
  if (event.GetEventType() == wxEVT_WEBVIEW_LOADED) {
    loads_.emplace_back(event.GetEventObject(),
                        std::string(static_cast<wxWebViewEvent&>(event).GetURL().utf8_str()));
  }
  return Event_Skip;
}

int LoadLog::count(const wxWebView* browser, const std::string& address) const {
  int n = 0;
  for (const auto& [source, url] : loads_) n += source == browser && url == address;
  return n;
}

int NavigationDecisions::FilterEvent(wxEvent& event) {
  if (inside_ || event.GetEventType() != wxEVT_WEBVIEW_NAVIGATING ||
      event.GetEventObject() != browser_) {
    return Event_Skip;
  }
  inside_ = true;
  browser_->ProcessWindowEvent(event);
  inside_ = false;
  allowed.push_back(static_cast<wxWebViewEvent&>(event).IsAllowed());
  return Event_Processed;
}

EndModalWhen::EndModalWhen(std::function<wxDialog*()> find, std::function<bool(wxDialog&)> ready)
    : find_(std::move(find)), ready_(std::move(ready)) {
  timer_.Bind(wxEVT_TIMER, &EndModalWhen::check, this);
  timer_.Start(20);
}

void EndModalWhen::check(wxTimerEvent&) {
  wxDialog* dialog = find_();
  if (!dialog || !dialog->IsModal()) return;
  wasReady_ = ready_(*dialog);
  if (!wasReady_ && ++checks_ < 1000) return;
  timer_.Stop();
  ended_ = true;
  dialog->EndModal(wxID_CANCEL);
}

void WebWindowsFixture::SetUp() {
  MainWindowFixture::SetUp();
  for (const char* path : {"/strip.html", "/home.htm", "/hongbao.html", "/feedback.php",
                           "/post.php", "/site.html", "/second.html", "/second-post.html"}) {
    server.page(path, Page(std::string("Page ") + path));
  }
  pages.updatePage = server.address("/strip.html");
  pages.statistics = server.address("/home.htm");
  pages.redPacket = server.address("/hongbao.html");
  pages.feedbackForm = server.address("/feedback.php?id=1&ver=6.3");
  pages.feedbackPost = server.address("/post.php");
  pages.makerSite = server.address("/site.html");
  pages.secondSite = server.address("/second.html");
  pages.secondSitePost = server.address("/second-post.html");
  pages.webDirectory = "http://daohang.test/";
}

void WebWindowsFixture::createWeb() {
  create();
  feedback = new TFrm_FeedBack(main, p.boxes, pages.feedbackForm, pages.feedbackPost);
  hongbao = new Thongbao(*main, pages.redPacket);
  web = new TFrm_web(main);
  auto webParts =
      std::make_unique<MainWeb>(*main, *web, *hongbao, *feedback, pages, [this] { ++endRequests; });
  parts = webParts.get();
  main->attachWeb(std::move(webParts));
}

}  // namespace velmo::test
