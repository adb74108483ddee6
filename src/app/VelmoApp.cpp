// The program's entry: checks for a desktop, sets up the platform, creates
// the windows in their start-up order and runs the message loop.
#include <wx/wx.h>
// After wx.h: weakref.h relies on what that includes.
#include <wx/weakref.h>

#include <cstdio>
#include <memory>

#include "app/CommandLine.h"
#include "app/U_Main.h"
#include "common/Errors.h"
#include "common/Texts.h"
#include "hotkeys/HotkeyTable.h"
#include "platform/Desktop.h"
#include "platform/Program.h"
#include "platform/ProgramInstance.h"
#include "platform/wx/WxMessageBoxes.h"
#include "platform/wx/WxTimers.h"
#include "settings/DataFolders.h"
#include "ui/scripts/ScriptWindows.h"
#include "ui/web/Browser.h"
#include "ui/web/MainWeb.h"
#include "ui/web/U_FeedBack.h"
#include "ui/web/U_honghao.h"
#include "ui/web/U_web.h"
#include "web/WebAddresses.h"
#include "web/WebPages.h"

namespace velmo {

namespace {

// As main received them: wx's own copies went through the C locale, which
// may not hold a Chinese script name.
std::vector<std::string> startArguments;

}  // namespace

class VelmoApp : public wxApp {
 public:
  bool OnInit() override;
  int OnRun() override;
  int OnExit() override;
  // Every event handler runs inside this one guard.
  void HandleEvent(wxEvtHandler* handler, wxEventFunction func, wxEvent& event) const override;
  bool OnExceptionInMainLoop() override;

 private:
  bool fail(const std::string& message);
  // False when this start only talks to the running program: the command
  // line's request, or a second plain start's Show.
  bool becomeRunningProgram();
  void createScriptWindows(const DataFolders& folders);
  void createWebWindows();

  std::unique_ptr<Desktop> desktop_;
  std::unique_ptr<HotkeyTable> hotkeyTable_;
  std::unique_ptr<TimerTick> tick_ = NewTimerTick();
  WxTimers timers_{tick_.get()};
  WxMessageBoxes boxes_;
  std::unique_ptr<Shell> shell_ = NewShell();
  std::unique_ptr<Platform> platform_;
  TFrm_Main* main_ = nullptr;
  std::unique_ptr<Tdm1> dm1_;
  std::unique_ptr<RunningProgram> running_;
  wxWeakRef<TFrm_Main> answering_;  // the main window while it lives
  // The exit code of a start that only talked to the running program.
  std::optional<int> talked_;
  // Set by a terminate request made before the message loop runs; the loop
  // ends once start-up has run.
  bool terminateRequested_ = false;
};

bool VelmoApp::fail(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  boxes_.MessageBoxA(nullptr, message, kAppTitle, kMbIconError);
  return false;
}

bool VelmoApp::becomeRunningProgram() {
  const RemoteRequest request = RemoteRequestOf(startArguments);
  if (request.kind == RemoteRequest::Kind::Show) {
    try {
      running_ = BecomeRunningProgram([this](const std::string& text) {
        const std::optional<RemoteRequest> request = DecodeRequest(text);
        if (request && request->kind == RemoteRequest::Kind::Hotkey && desktop_) {
          desktop_->hotkeyPressed(request->modifiers, request->vk);
          return EncodeAnswer({true, {}});
        }
        if (answering_) return answering_->answerRequest(text);
        return EncodeAnswer({false, "Velmo正在启动或退出, 请稍后再试。"});
      });
      if (running_) return true;
    } catch (const std::exception& error) {
      // Without the means a second start cannot find this one; the program works.
      std::fprintf(stderr, "%s\n", error.what());
      return true;
    }
  }
  talked_ = SendRemoteRequest(request);
  return false;
}

bool VelmoApp::OnInit() {
  if (!becomeRunningProgram()) return true;
  // wxGTK makes the display name every window's WM_CLASS class, which X11
  // stores as Latin-1: an ASCII name; the windows carry the Chinese titles.
  SetAppDisplayName("Velmo");
  std::string error;
  desktop_ = ConnectDesktop(error);
  if (!desktop_) return fail(error);
  hotkeyTable_ = std::make_unique<HotkeyTable>(desktop_->grabber());
  platform_ = std::make_unique<Platform>(Platform{*hotkeyTable_, desktop_->mouse(), timers_, boxes_,
                                                  desktop_->pump(), *shell_,
                                                  desktop_->recorder(), desktop_->picker()});

  DataFolders folders;
  try {
    folders = ChooseDataFolders(InspectStartPlace(ProgramFolder()));
    PrepareDataFolders(folders);
  } catch (const std::exception& problem) {
    return fail(problem.what());
  }

  // The windows, in their start-up order.
  main_ = new TFrm_Main(*platform_, folders);
  answering_ = main_;
  SetTopWindow(main_);
  createScriptWindows(folders);
  createWebWindows();

  main_->Show();
  main_->CallAfter([this] {
    main_->Guarded([this] {
      main_->FormShow();
      main_->showSessionNotice(desktop_->session());
      main_->engine().MostPressesPerTick = MostPressesPerTick(desktop_->session());
    });
    if (terminateRequested_) ExitMainLoop();
  });
  return true;
}

void VelmoApp::createScriptWindows(const DataFolders& folders) {
  // Script dialogs and the data module. The dialogs belong to the main window.
  ScriptWindows scripts;
  scripts.frm_addpoint = new Tfrm_addpoint(*main_);
  scripts.Frm_AddMP = new TFrm_AddMP(*main_);
  dm1_ = std::make_unique<Tdm1>(folders.dataDir, boxes_, *shell_,
                                MissingDataPages{DownloadSiteAddress(), ErrorReportAddress()},
                                [this] { terminateRequested_ = true; });
  main_->useDataModule(*dm1_);
  scripts.Frm_ModPoint = new TFrm_ModPoint(*main_);
  scripts.Frm_ModMP = new TFrm_ModMP(*main_);
  scripts.Frm_ModPoint2 = new TFrm_ModPoint2(*main_);
  scripts.Frm_shotkey = new TFrm_shotkey(*main_);
  scripts.frm_mod_addpint = new Tfrm_mod_addpint(*main_);
  scripts.wire(*dm1_);
  main_->useScriptDialogs(scripts);
}

void VelmoApp::createWebWindows() {
  // The web windows end the start-up order. As children of the main window they
  // end with it: a hidden window without a parent keeps wx running after it.
  // Without a browser engine the clicker still works, only the pages are missing.
  if (!BrowserAvailable()) {
    std::fprintf(stderr, "No embedded browser engine: running without web pages.\n");
    return;
  }
  const WebPages pages = ProgramWebPages();
  auto* Frm_FeedBack = new TFrm_FeedBack(main_, boxes_, pages.feedbackForm, pages.feedbackPost);
  auto* hongbao = new Thongbao(*main_, pages.redPacket);
  auto* Frm_web = new TFrm_web(main_);
  main_->attachWeb(std::make_unique<MainWeb>(*main_, *Frm_web, *hongbao, *Frm_FeedBack, pages,
                                             [this] { main_->endApplication(); }));
}

int VelmoApp::OnRun() { return talked_ ? *talked_ : wxApp::OnRun(); }

int VelmoApp::OnExit() {
  running_.reset();
  dm1_.reset();
  hotkeyTable_.reset();
  desktop_.reset();
  return wxApp::OnExit();
}

void VelmoApp::HandleEvent(wxEvtHandler* handler, wxEventFunction func, wxEvent& event) const {
  try {
    wxApp::HandleEvent(handler, func, event);
  } catch (const std::exception& error) {
    if (main_) main_->ReportError(error);
  }
}

bool VelmoApp::OnExceptionInMainLoop() {
  try {
    throw;
  } catch (const std::exception& error) {
    if (main_) main_->ReportError(error);
  }
  return true;
}

}  // namespace velmo

wxIMPLEMENT_APP_NO_MAIN(velmo::VelmoApp);

int main(int argc, char** argv) {
  try {
    velmo::startArguments = velmo::ProgramArguments(argc, argv);
    if (const auto exitCode = velmo::RunCommandLine(velmo::startArguments))
      return *exitCode;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  velmo::PrepareToolkit();
  const std::string missing = velmo::MissingDesktopText();
  if (!missing.empty()) {
    std::fprintf(stderr, "%s\n", missing.c_str());
    return 1;
  }
  return wxEntry(argc, argv);
}
