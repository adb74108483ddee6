// The web windows, links, about box and close-time page with real browsers,
// pages from the loopback server and the fake platform.
#include <wx/webview.h>

#include <algorithm>

#include "WebFixture.h"
#include "common/Texts.h"
#include "ui/web/Browser.h"
#include "ui/web/U_AboutBox.h"
#include "web/WebAddresses.h"

using namespace velmo;
using velmo::test::EndModalWhen;
using velmo::test::HasLoaded;
using velmo::test::LoadLog;
using velmo::test::NavigationDecisions;
using velmo::test::Page;
using velmo::test::pumpUntil;
using velmo::test::ScriptPage;
using velmo::test::WebWindowsFixture;
using Strings = std::vector<std::string>;

namespace {

std::string Utf8(const wxString& text) { return std::string(text.utf8_str()); }

void click(wxWindow* control) {
  wxCommandEvent event(wxEVT_BUTTON, control->GetId());
  event.SetEventObject(control);
  control->ProcessWindowEvent(event);
}

void leftClick(wxWindow* control) {
  wxMouseEvent event(wxEVT_LEFT_UP);
  event.SetEventObject(control);
  control->ProcessWindowEvent(event);
}

// The web windows made for new-window requests: every TFrm_web but the shared one.
std::vector<TFrm_web*> newWebWindows(const TFrm_web* shared) {
  std::vector<TFrm_web*> found;
  for (wxWindow* window : wxTopLevelWindows) {
    auto* web = dynamic_cast<TFrm_web*>(window);
    if (web && web != shared) found.push_back(web);
  }
  return found;
}

wxDialog* openAboutBox() {
  for (wxWindow* window : wxTopLevelWindows) {
    if (auto* box = dynamic_cast<TAboutBox*>(window)) return box;
  }
  return nullptr;
}

constexpr const char* kLinksBody = "<a id='next' target='_blank' href='/target.html'>next</a>";
constexpr const char* kClickNext = "document.getElementById('next').click(); 'clicked'";

}  // namespace

TEST_F(WebWindowsFixture, StartUpShowsThePopupPlacesTheLinkAndLoadsTheHiddenPage) {
  createWeb();
  EXPECT_EQ(Utf8(hongbao->GetTitle()), "支付宝扫码领红包");
  main->FormShow();
  EXPECT_TRUE(hongbao->IsShown());
  EXPECT_EQ(Utf8(parts->lbl12->GetLabel()), HomeLinkText());
  ASSERT_EQ(parts->lbl12->GetParent(), main->stat1);
  wxRect panel;
  ASSERT_TRUE(main->stat1->GetFieldRect(1, panel));
  // 120 x 13 as laid out, as long as the link's text needs no more, and
  // whole in the panel.
  const wxSize text = parts->lbl12->GetBestSize();
  const wxRect link = parts->lbl12->GetRect();
  EXPECT_EQ(link.GetSize(), wxSize(std::max(120, text.x), std::max(13, text.y)));
  EXPECT_EQ(link.x, panel.x);
  EXPECT_TRUE(panel.Contains(link));
  EXPECT_TRUE(parts->lbl12->IsShown());

  EXPECT_TRUE(pumpUntil([&] { return server.wasAskedFor("/home.htm"); }));
  EXPECT_TRUE(pumpUntil([&] { return Utf8(hongbao->GetTitle()) == "Page /hongbao.html"; }))
      << Utf8(hongbao->GetTitle()) << " " << Utf8(hongbao->wb1->GetCurrentURL());
  leftClick(parts->lbl12);
  EXPECT_EQ(p.shell.opened, Strings{HomeLinkText()});
}

TEST_F(WebWindowsFixture, OtherVersionOnTheUpdatePageAsksOpensTheDownloadAndEnds) {
  const std::string download = server.address("/download/velmo.zip");
  const std::string bye = server.address("/bye.html");
  server.page("/update.html",
              ScriptPage("Update", "var app_version = '6.6', app_hp = 'x', app_url = '" + download +
                                       "', is_icon = '0', is_pop = '1', app_pop = '" + bye + "';"));
  pages.updatePage = server.address("/update.html");
  p.boxes.answers = {kIdYes};
  startWeb();
  ASSERT_TRUE(pumpUntil([&] { return endRequests > 0; }));

  ASSERT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_EQ(p.boxes.shown[0].text, "发现新版本,当前版本已不能继续使用.是否现在下载新版本?");
  EXPECT_EQ(p.boxes.shown[0].caption, "Velmo鼠标自动点击器升级提示");
  EXPECT_EQ(p.boxes.shown[0].flags, kMbYesNo | kMbIconInformation);
  EXPECT_EQ(p.boxes.shown[0].owner, static_cast<wxWindow*>(main));
  EXPECT_EQ(p.shell.opened, Strings{download});
  EXPECT_EQ(main->is_pop, "1");
  EXPECT_EQ(main->app_pop, bye);
  EXPECT_EQ(endRequests, 1);
}

TEST_F(WebWindowsFixture, MissingNameEndsTheCheckAndTheSameVersionOnlyTakesOverTheValues) {
  const std::string partial = server.address("/partial.html");
  const std::string current = server.address("/current.html");
  const std::string bye = server.address("/bye.html");
  // Without app_hp the reading stops before the version is compared.
  server.page("/partial.html", ScriptPage("Partial", "var app_version = '6.6'; var is_pop = '1';"));
  // Empty texts are values: the reading goes on to is_pop and app_pop.
  server.page("/current.html", ScriptPage("Current",
                                          "var app_version = '" VELMO_VERSION "', app_hp = '', app_url = '', "
                                          "is_icon = '', is_pop = '1', app_pop = '" +
                                              bye + "';"));
  pages.updatePage = partial;
  LoadLog loads;
  startWeb();
  ASSERT_TRUE(pumpUntil([&] { return loads.count(parts->wb1, partial) == 1; }));
  EXPECT_TRUE(p.boxes.shown.empty());
  EXPECT_EQ(main->is_pop, "");

  parts->wb1->LoadURL(current);
  ASSERT_TRUE(pumpUntil([&] { return loads.count(parts->wb1, current) == 1; }));
  EXPECT_TRUE(p.boxes.shown.empty());
  EXPECT_EQ(main->is_pop, "1");
  EXPECT_EQ(main->app_pop, bye);
  EXPECT_EQ(endRequests, 0);
}

TEST_F(WebWindowsFixture, NewWindowsFromTheUpdateStripOpenWebWindowsOfTheirOwn) {
  const std::string links = server.address("/links.html");
  // A link that asks for a new window, and a script that opens one.
  server.page("/links.html",
              Page("Links", std::string(kLinksBody) +
                                "<a id='script' href='#' onclick=\"window.open('/opened.html'); "
                                "return false;\">script</a>"));
  server.page("/target.html", Page("Target"));
  server.page("/opened.html", Page("Opened"));
  pages.updatePage = links;
  LoadLog loads;
  startWeb();
  // The update check of the page has run: the strip's browser is free.
  ASSERT_TRUE(pumpUntil([&] { return loads.count(parts->wb1, links) == 1; }));
  wxString result;
  ASSERT_TRUE(parts->wb1->RunScript(kClickNext, &result));
  ASSERT_TRUE(
      parts->wb1->RunScript("document.getElementById('script').click(); 'clicked'", &result));

  Strings titles;
  ASSERT_TRUE(pumpUntil([&] {
    titles.clear();
    for (TFrm_web* opened : newWebWindows(web)) titles.push_back(Utf8(opened->GetTitle()));
    std::sort(titles.begin(), titles.end());
    return titles == Strings{"Opened", "Target"};
  })) << titles.size();
  for (TFrm_web* opened : newWebWindows(web)) {
    EXPECT_TRUE(opened->IsShown());
    EXPECT_FALSE(opened->IsModal());
  }
  EXPECT_FALSE(web->IsShown());
  EXPECT_TRUE(HasLoaded(*parts->wb1, links));
}

TEST_F(WebWindowsFixture, WebWindowKeepsItsCaptionUntilAPageAndOpensNewWindowLinksInItself) {
  const std::string links = server.address("/links.html");
  const std::string target = server.address("/target.html");
  server.page("/links.html", Page("Links", kLinksBody));
  server.page("/target.html", Page("Target"));
  LoadLog loads;
  startWeb();
  // Hidden, the window has no browser yet: it costs no web page.
  EXPECT_EQ(web->wb1, nullptr);
  web->Show();
  ASSERT_NE(web->wb1, nullptr);
  ASSERT_TRUE(pumpUntil([&] { return loads.count(web->wb1, "about:blank") == 1; }));
  EXPECT_EQ(Utf8(web->GetTitle()), "正在打开....");

  web->wb1->LoadURL(links);
  ASSERT_TRUE(pumpUntil([&] { return Utf8(web->GetTitle()) == "Links"; }));
  wxString result;
  ASSERT_TRUE(web->wb1->RunScript(kClickNext, &result));
  ASSERT_TRUE(pumpUntil([&] { return loads.count(web->wb1, target) == 1; }));
  // WebKit may report the new page's title after the end of its load: the
  // caption follows the title when it comes.
  EXPECT_TRUE(pumpUntil([&] { return Utf8(web->GetTitle()) == "Target"; }))
      << Utf8(web->GetTitle());
  EXPECT_TRUE(newWebWindows(web).empty());
}

TEST_F(WebWindowsFixture, BannerAndButtonsShowTheirPagesInTheWebWindowModally) {
  startWeb();
  const struct {
    const char* name;
    std::function<void()> press;
    std::string address;
  } cases[] = {{"img1", [&] { leftClick(main->img1); }, pages.makerSite},
               {"btn4", [&] { click(main->btn4); }, pages.makerSite},
               {"btn12", [&] { click(main->btn12); }, pages.secondSite},
               {"btn5", [&] { click(main->btn5); }, pages.secondSitePost}};
  for (const auto& c : cases) {
    EndModalWhen closer([&] { return web; },
                        [&](wxDialog&) { return HasLoaded(*web->wb1, c.address); });
    c.press();
    EXPECT_TRUE(closer.ended()) << c.name;
    EXPECT_TRUE(closer.wasReady()) << c.name;
    EXPECT_FALSE(web->IsShown()) << c.name;
  }
}

TEST_F(WebWindowsFixture, HiddenBrowserWb4CancelsEveryNavigation) {
  createWeb();
  // No browser of the main window keeps it from coming on screen.
  EXPECT_EQ(parts->wb1, nullptr);
  EXPECT_EQ(hongbao->wb1, nullptr);
  main->FormShow();
  NavigationDecisions wb4(parts->wb4);
  NavigationDecisions wb2(parts->wb2);
  parts->wb4->LoadURL(pages.makerSite);
  parts->wb2->LoadURL(pages.makerSite);
  ASSERT_TRUE(pumpUntil([&] { return !wb4.allowed.empty() && !wb2.allowed.empty(); }));
  EXPECT_EQ(std::count(wb4.allowed.begin(), wb4.allowed.end(), true), 0);
  EXPECT_EQ(std::count(wb2.allowed.begin(), wb2.allowed.end(), false), 0);
}

TEST_F(WebWindowsFixture, FeedbackIsConfirmedOnlyWhenThePostAddressCompletes) {
  LoadLog loads;
  createWeb();
  EXPECT_EQ(feedback->wb1, nullptr);
  click(main->btn3);
  EXPECT_TRUE(feedback->IsShown());
  EXPECT_EQ(Utf8(feedback->GetTitle()), "意见反馈");
  ASSERT_TRUE(pumpUntil([&] { return loads.count(feedback->wb1, pages.feedbackForm) == 1; }));
  EXPECT_TRUE(p.boxes.shown.empty());

  feedback->wb1->LoadURL(pages.feedbackPost);
  ASSERT_TRUE(pumpUntil([&] { return !p.boxes.shown.empty(); }));
  ASSERT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_EQ(p.boxes.shown[0].text, "你的反馈信息提交成功");
  EXPECT_EQ(p.boxes.shown[0].caption, "提示信息");
  EXPECT_EQ(p.boxes.shown[0].flags, kMbIconInformation);
  EXPECT_EQ(p.boxes.shown[0].owner, static_cast<wxWindow*>(feedback));
  EXPECT_FALSE(feedback->IsShown());

  // Every show loads the form afresh.
  click(main->btn3);
  EXPECT_TRUE(pumpUntil([&] { return loads.count(feedback->wb1, pages.feedbackForm) == 2; }));
}

TEST_F(WebWindowsFixture, PagesThatCannotLoadShowAQuietPageThatCompletesNothing) {
  // Nothing listens on a closed server's port any more: every load fails.
  std::string unreachable;
  {
    velmo::test::LoopbackServer closed;
    unreachable = closed.address("/");
  }
  const std::string current = server.address("/current.html");
  server.page("/current.html", ScriptPage("Current", "var app_version = '" VELMO_VERSION "', app_hp = '', "
                                                     "app_url = '', is_icon = '', is_pop = '1', "
                                                     "app_pop = '';"));
  pages.updatePage = unreachable + "update.html";
  pages.redPacket = unreachable + "hongbao.html";
  pages.feedbackPost = unreachable + "post.php";
  LoadLog loads;
  startWeb();
  ASSERT_TRUE(pumpUntil([&] {
    return loads.count(parts->wb1, pages.updatePage) > 0 &&
           loads.count(hongbao->wb1, pages.redPacket) > 0;
  }));
  for (wxWebView* browser : {parts->wb1, hongbao->wb1}) {
    EXPECT_TRUE(ShowsQuietPage(*browser));
    wxString text;
    ASSERT_TRUE(browser->RunScript("document.title + document.body.innerText", &text));
    EXPECT_EQ(Utf8(text), "");
  }
  EXPECT_EQ(Utf8(hongbao->GetTitle()), "支付宝扫码领红包");

  // A post that could not be sent is not confirmed.
  click(main->btn3);
  ASSERT_TRUE(pumpUntil([&] { return loads.count(feedback->wb1, pages.feedbackForm) == 1; }));
  feedback->wb1->LoadURL(pages.feedbackPost);
  ASSERT_TRUE(pumpUntil([&] { return loads.count(feedback->wb1, pages.feedbackPost) > 0; }));
  EXPECT_TRUE(p.boxes.shown.empty());
  EXPECT_TRUE(feedback->IsShown());

  // The strip's next page is checked again.
  parts->wb1->LoadURL(current);
  ASSERT_TRUE(pumpUntil([&] { return main->is_pop == "1"; }));
  EXPECT_FALSE(ShowsQuietPage(*parts->wb1));
}

TEST_F(WebWindowsFixture, PopupDocksBesideTheMainWindowAfterItMoves) {
  startWeb();
  main->Move(40, 30);
  EXPECT_TRUE(pumpUntil([&] {
    // The main window's rectangle as the X server last reported it.
    const wxRect dock = main->GetRect();
    const wxRect popup = hongbao->GetRect();
    return popup.x == dock.x + dock.width + 5 && popup.y == dock.y && popup.height == dock.height;
  }));
  EXPECT_EQ(hongbao->GetClientSize().x, 302);
}

TEST_F(WebWindowsFixture, AboutBoxShowsTheProgramAndOpensTheFeedbackWindow) {
  createWeb();
  std::string caption, name, version, address;
  wxSize client;
  EndModalWhen closer(openAboutBox, [&](wxDialog& dialog) {
    auto& box = static_cast<TAboutBox&>(dialog);
    caption = Utf8(box.GetTitle());
    client = box.GetClientSize();
    name = Utf8(box.ProductName->GetLabel());
    version = Utf8(box.Version->GetLabel());
    address = Utf8(box.Copyright->GetLabel());
    click(box.btn1);
    return true;
  });
  click(main->btn2);
  EXPECT_TRUE(closer.ended());
  EXPECT_EQ(caption, "关于");
  EXPECT_EQ(client, wxSize(411, 222));
  EXPECT_EQ(name, "Velmo鼠标自动点击器" VELMO_VERSION);
  EXPECT_EQ(version, "版本:" VELMO_VERSION);
  EXPECT_EQ(address, pages.makerSite);
  EXPECT_TRUE(feedback->IsShown());
  EXPECT_EQ(openAboutBox(), nullptr);
}

TEST_F(WebWindowsFixture, ClosingShowsTheCloseTimePageWhenTheUpdatePageAsks) {
  const std::string bye = server.address("/bye.html");
  server.page("/bye.html", Page("Bye"));
  startWeb();
  main->is_pop = "1";
  main->app_pop = bye;
  bool mainHidden = false;
  EndModalWhen closer([&] { return web; },
                      [&](wxDialog&) {
                        mainHidden = !main->IsShown();
                        return HasLoaded(*web->wb1, bye);
                      });
  main->Close();
  EXPECT_TRUE(closer.ended());
  EXPECT_TRUE(closer.wasReady());
  EXPECT_TRUE(mainHidden);
  EXPECT_TRUE(wxPendingDelete.Member(main));
}

TEST_F(WebWindowsFixture, ClosingWithoutTheRequestShowsNoPage) {
  startWeb();
  main->is_pop = "0";
  main->app_pop = server.address("/bye.html");
  EndModalWhen closer([&] { return web; }, [](wxDialog&) { return true; });
  main->Close();
  EXPECT_FALSE(closer.ended());
  EXPECT_FALSE(web->IsShown());
  EXPECT_FALSE(server.wasAskedFor("/bye.html"));
  EXPECT_TRUE(wxPendingDelete.Member(main));
}
