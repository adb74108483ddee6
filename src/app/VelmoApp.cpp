// The program's entry: checks for an X display, sets up the platform, creates
// the windows in their start-up order and runs the message loop.
#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/wx.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/Look.h"
#include "app/U_Main.h"
#include "common/Errors.h"
#include "common/Texts.h"
#include "hotkeys/HotkeyTable.h"
#include "platform/gtk/GtkEventPump.h"
#include "platform/wx/WxMessageBoxes.h"
#include "platform/wx/WxShell.h"
#include "platform/wx/WxTimers.h"
#include "platform/x11/X11Platform.h"

namespace velmo {

namespace {

std::string ExecutableDir() {
  const wxFileName exe(wxStandardPaths::Get().GetExecutablePath());
  return ToUtf8(exe.GetPathWithSep());
}

bool HasEnv(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

}  // namespace

class VelmoApp : public wxApp {
 public:
  bool OnInit() override;
  int OnExit() override;
  // Every event handler runs inside this one guard.
  void HandleEvent(wxEvtHandler* handler, wxEventFunction func, wxEvent& event) const override;
  bool OnExceptionInMainLoop() override;

 private:
  bool fail(const std::string& message);

  std::unique_ptr<x11::X11Platform> x11_;
  std::unique_ptr<HotkeyTable> hotkeyTable_;
  WxTimers timers_;
  WxMessageBoxes boxes_;
  GtkEventPump pump_;
  WxShell shell_;
  std::unique_ptr<Platform> platform_;
  TFrm_Main* main_ = nullptr;
  std::unique_ptr<Tdm1> dm1_;
  // Set by a terminate request made before the message loop runs; the loop
  // ends once start-up has run.
  bool terminateRequested_ = false;
};

bool VelmoApp::fail(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  boxes_.MessageBox(nullptr, message, kAppTitle, MB_ICONERROR);
  return false;
}

bool VelmoApp::OnInit() {
  SetAppDisplayName(wxString::FromUTF8(kAppTitle));
  ApplyCompactLook();
  std::string error;
  x11_ = x11::OpenX11Platform(error);
  if (!x11_) return fail(error);
  hotkeyTable_ = std::make_unique<HotkeyTable>(*x11_->grabber);
  platform_ = std::make_unique<Platform>(
      Platform{*hotkeyTable_, *x11_->mouse, timers_, boxes_, pump_, shell_});

  // The windows, in their start-up order.
  const std::string exeDir = ExecutableDir();
  main_ = new TFrm_Main(*platform_, exeDir);
  SetTopWindow(main_);
  dm1_ = std::make_unique<Tdm1>(exeDir, boxes_, shell_, [this] { terminateRequested_ = true; });
  main_->useDataModule(*dm1_);

  main_->Show();
  main_->CallAfter([this] {
    main_->Guarded([this] { main_->FormShow(); });
    if (terminateRequested_) ExitMainLoop();
  });
  return true;
}

int VelmoApp::OnExit() {
  dm1_.reset();
  hotkeyTable_.reset();
  x11_.reset();
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
  // Without an X display GTK cannot start at all; say what is missing instead
  // of failing silently. A Wayland-only session still gets a message box.
  if (!velmo::HasEnv("DISPLAY") && !velmo::HasEnv("WAYLAND_DISPLAY")) {
    std::fprintf(stderr,
                 "Velmo needs an X11 display: DISPLAY is not set. Global hotkeys and "
                 "synthesised clicks work only through X11 (or Xwayland).\n");
    return 1;
  }
  return wxEntry(argc, argv);
}
