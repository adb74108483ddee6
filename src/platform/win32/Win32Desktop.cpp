// The Windows desktop: RegisterHotKey and SendInput, and the thread's own
// message queue for pumping. The layout was made for Windows' native
// controls, so the look needs nothing of ours.
#include <windows.h>

#include <chrono>
#include <thread>

#include "common/Errors.h"
#include "platform/Desktop.h"
#include "platform/win32/Win32KeyGrabber.h"
#include "platform/win32/Win32Mouse.h"

namespace velmo {

namespace {

class Win32EventPump : public EventPump {
 public:
  void ProcessMessages() override {
    // Bounded, so a message that keeps posting itself cannot hold the
    // runner here for ever. A quit request is put back for the main loop.
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  void Sleep(int ms) override {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
};

class Win32Desktop : public Desktop {
 public:
  KeyGrabber& grabber() override { return grabber_; }
  Mouse& mouse() override { return mouse_; }
  EventPump& pump() override { return pump_; }

 private:
  win32::Win32KeyGrabber grabber_;
  win32::Win32Mouse mouse_;
  Win32EventPump pump_;
};

}  // namespace

// Every Windows session has a desktop for the program's windows.
std::string MissingDesktopText() { return {}; }

std::unique_ptr<Desktop> ConnectDesktop(std::string& error) {
  try {
    return std::make_unique<Win32Desktop>();
  } catch (const AppError& refused) {
    error = refused.what();
    return nullptr;
  }
}

}  // namespace velmo
