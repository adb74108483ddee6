#include "ui/web/MainWeb.h"

// After MainWeb.h, which brings the port's wxStaticText: this header would hide it.
#include <wx/generic/stattextg.h>

#include <wx/artprov.h>

#include <algorithm>

#include "common/Errors.h"
#include "common/Texts.h"
#include "platform/TrayIcon.h"
#include "ui/web/Browser.h"
#include "ui/web/EngineViews.h"
#include "ui/web/U_AboutBox.h"
#include "ui/web/U_FeedBack.h"
#include "ui/web/U_honghao.h"
#include "ui/web/U_web.h"
#include "web/UpdateCheck.h"
#include "web/WebAddresses.h"
#include "widgets/Resources.h"
#include "widgets/WxText.h"

namespace velmo {

namespace {

// In the status bar where pages run outside the web engine's sandbox.
constexpr const char* kUnconfinedPagesText = "网页沙箱无法启动：网页不受限制地运行";

// The hidden browsers sit below the main window's client area, never visible.
const wxPoint kOutOfSight(0, 1000);
const wxSize kHiddenSize(100, 100);

}  // namespace

MainWeb::MainWeb(MainWebHost& main, TFrm_web& web, Thongbao& hongbao, TFrm_FeedBack& feedback,
                 WebPages pages, std::function<void()> endApplication)
    : main_(main),
      web_(web),
      hongbao_(hongbao),
      feedback_(feedback),
      pages_(std::move(pages)),
      endApplication_(std::move(endApplication)),
      updateChecks_([this](const std::function<void()>& end) { checkUpdatePage(end); },
                    endApplication_) {
  createControls();
  createTrayMenu();
  bindHandlers();
  rztrycn1 = NewTrayIcon(main_.frame(), pm1, ProgramIconBitmap(),
                         [this](const std::exception& error) { main_.ReportError(error); });
}

// Every handler is bound with this object as its sink, so wx undoes the
// bindings when it goes, before the main window's controls do.
MainWeb::~MainWeb() = default;

void MainWeb::createControls() {
  // Shown once the start-up has moved it into the status bar.
  lbl12 = new wxGenericStaticText(main_.client(), wxID_ANY, wxEmptyString);
  lbl12->Hide();
  lbl12->SetForegroundColour(*wxBLUE);
  lbl12->SetCursor(wxCursor(wxCURSOR_HAND));
  lbl12->SetToolTip(FromUtf8("打开Velmo软件主页"));
}

void MainWeb::createTrayMenu() {
  // Each item with an image: the desktop's icons by their freedesktop names.
  const auto item = [this](const char* caption, const char* icon) {
    auto* made = new wxMenuItem(&pm1, wxID_ANY, FromUtf8(caption));
    made->SetBitmap(wxArtProvider::GetBitmap(icon, wxART_MENU));  // before it is appended
    return pm1.Append(made);
  };
  N5 = item("上网导航(&D)\tCtrl+D", "go-home-symbolic");
  N4 = item("更多软件(&M)\tCtrl+M", "system-software-install-symbolic");
  N1 = item("关于(&A)\tCtrl+A", "help-about-symbolic");
  N2 = item("设置(&S)\tCtrl+S", "preferences-system-symbolic");
  N3 = item("退出(&E)\tCtrl+E", "application-exit-symbolic");
  // N4 and N2 only close the menu.
  pm1.Bind(wxEVT_MENU, &MainWeb::N5Click, this, N5->GetId());
  pm1.Bind(wxEVT_MENU, &MainWeb::N1Click, this, N1->GetId());
  pm1.Bind(wxEVT_MENU, &MainWeb::N3Click, this, N3->GetId());
}

void MainWeb::bindHandlers() {
  const MainWebControls controls = main_.webControls();
  controls.img1->Bind(wxEVT_LEFT_UP, &MainWeb::img1Click, this);
  controls.btn4->Bind(wxEVT_BUTTON, &MainWeb::btn4Click, this);
  controls.btn12->Bind(wxEVT_BUTTON, &MainWeb::btn12Click, this);
  controls.btn5->Bind(wxEVT_BUTTON, &MainWeb::btn5Click, this);
  controls.btn3->Bind(wxEVT_BUTTON, &MainWeb::btn3Click, this);
  controls.btn2->Bind(wxEVT_BUTTON, &MainWeb::btn2Click, this);
  lbl12->Bind(wxEVT_LEFT_UP, &MainWeb::lbl12Click, this);
}

void MainWeb::createBrowsers() {
  wb1 = NewBrowser(main_.client(), main_.updateStripAt(), main_.frame().FromDIP(wxSize(552, 60)));
  wb2 = NewBrowser(main_.client(), kOutOfSight, kHiddenSize);
  wb4 = NewBrowser(main_.client(), kOutOfSight, kHiddenSize);
  wb1->Bind(wxEVT_WEBVIEW_LOADED, &MainWeb::wb1DocumentComplete, this);
  wb1->Bind(wxEVT_WEBVIEW_NEWWINDOW, &MainWeb::wb1NewWindow2, this);
  wb4->Bind(wxEVT_WEBVIEW_NAVIGATING, &MainWeb::wb4BeforeNavigate2, this);
}

void MainWeb::showPopupAndLinkCaption() {
  // The main window keeps the keyboard focus.
  hongbao_.ShowWithoutActivating();
  createBrowsers();
  lbl12->SetLabel(FromUtf8(HomeLinkText()));
}

void MainWeb::navigateStatistics() { wb2->LoadURL(FromUtf8(pages_.statistics)); }

void MainWeb::navigateUpdateStrip() { wb1->LoadURL(FromUtf8(pages_.updatePage)); }

void MainWeb::placeLinkLabel() {
  // 120 x 13 pixels, or as large as the text, in a panel wide enough for it;
  // 2 pixels below the panel's top while that leaves the text whole.
  const wxSize text = lbl12->GetBestSize();
  main_.fitStatusPanel(1, text.x);
  wxRect panel;
  if (!main_.statusBar()->GetFieldRect(1, panel)) throw AppError("Status panel 1 has no place");
  const wxWindow& frame = main_.frame();
  const wxSize size(std::max(frame.FromDIP(120), text.x), std::max(frame.FromDIP(13), text.y));
  const int top = std::max(panel.y, std::min(panel.y + 2, panel.GetBottom() + 1 - size.y));
  lbl12->Reparent(main_.statusBar());
  lbl12->SetSize(wxRect(wxPoint(panel.x, top), size));
  lbl12->Show();
  // The engine gave its reason on stderr as it made the first browser.
  if (SandboxCouldNotStart()) main_.statusBar()->SetStatusText(FromUtf8(kUnconfinedPagesText), 0);
}

void MainWeb::closeTimePage() {
  // The address comes from the update page, that is from the network: it is
  // shown only when it is a web address (WantsClosePage).
  const ClosePageState state = main_.closePageState();
  if (!WantsClosePage(state)) return;
  main_.frame().Hide();
  web_.browser().LoadURL(FromUtf8(state.app_pop));
  web_.ShowModal();
}

void MainWeb::openInWebWindow(const std::string& address) {
  web_.browser().LoadURL(FromUtf8(address));
  web_.ShowModal();
}

void MainWeb::openAboutBox() {
  TAboutBox box(feedback_, pages_.makerSite);
  box.ShowModal();
}

void MainWeb::img1Click(wxMouseEvent&) { openInWebWindow(pages_.makerSite); }
void MainWeb::btn4Click(wxCommandEvent&) { openInWebWindow(pages_.makerSite); }
void MainWeb::btn12Click(wxCommandEvent&) { openInWebWindow(pages_.secondSite); }
void MainWeb::btn5Click(wxCommandEvent&) { openInWebWindow(pages_.secondSitePost); }
void MainWeb::btn3Click(wxCommandEvent&) { feedback_.Show(); }
void MainWeb::btn2Click(wxCommandEvent&) { openAboutBox(); }
void MainWeb::N1Click(wxCommandEvent&) { openAboutBox(); }

void MainWeb::lbl12Click(wxMouseEvent&) {
  main_.platform().shell.open(ToUtf8(lbl12->GetLabel()));
}

void MainWeb::wb1DocumentComplete(wxWebViewEvent&) {
  // A strip whose page could not be loaded has nothing to check.
  if (!ShowsQuietPage(*wb1)) updateChecks_.documentCompleted();
}

void MainWeb::checkUpdatePage(const std::function<void()>& endApplication) {
  BrowserPageValues page(*wb1);
  ClosePageState state = main_.closePageState();
  RunUpdateCheck(page, state, main_.platform().boxes, &main_.frame(), main_.platform().shell,
                 endApplication);
  main_.setClosePageState(state);
}

void MainWeb::wb1NewWindow2(wxWebViewEvent& event) {
  // Parented to the main window so that it ends with the program.
  auto* window = new TFrm_web(&main_.frame());
  window->Show();
  window->browser().LoadURL(event.GetURL());
}

void MainWeb::wb4BeforeNavigate2(wxWebViewEvent& event) { event.Veto(); }

void MainWeb::N5Click(wxCommandEvent&) { main_.platform().shell.open(pages_.webDirectory); }

void MainWeb::N3Click(wxCommandEvent&) {
  const int answer = main_.platform().boxes.MessageBoxA(
      &main_.frame(), "是否确定要退出Velmo鼠标自动点击器?", kMainCaption,
      kMbYesNo | kMbIconInformation);
  // Yes ends the program at once, without the close query and its page.
  if (answer == kIdYes) endApplication_();
}

}  // namespace velmo
