// The Windows desktop: RegisterHotKey, SendInput and low-level hooks, and
// the thread's own message queue for pumping. The layout was made for
// Windows' native controls, so the look needs nothing of ours.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "common/Errors.h"
#include "platform/Desktop.h"
#include "platform/win32/Win32KeyGrabber.h"
#include "platform/win32/Win32Mouse.h"
#include "platform/win32/Win32Recorder.h"

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
  // Wakes for any input or posted message, WM_HOTKEY and WM_TIMER among
  // them, or at the deadline, rounded up to whole milliseconds.
  void WaitMessages(SteadyTime until) override {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - now()).count();
    if (left <= 0) return;
    const auto ms = static_cast<DWORD>(std::min<long long>(left, INFINITE - 1));
    if (MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
        WAIT_FAILED)
      throw AppError("MsgWaitForMultipleObjectsEx failed: " + std::to_string(GetLastError()));
    ProcessMessages();
  }
  SteadyTime now() override { return std::chrono::steady_clock::now(); }
};

class Win32Desktop : public Desktop {
 public:
  KeyGrabber& grabber() override { return grabber_; }
  Mouse& mouse() override { return mouse_; }
  EventPump& pump() override { return pump_; }
  ClickRecorder& recorder() override { return recorder_; }
  // RegisterHotKey delivers every press itself.
  void hotkeyPressed(unsigned, unsigned) override {}
  SessionFacts session() const override { return {}; }  // everything works
  PointPicker* picker() override { return nullptr; }  // F11 reads the cursor

 private:
  win32::Win32KeyGrabber grabber_;
  win32::Win32Mouse mouse_;
  Win32EventPump pump_;
  win32::Win32Recorder recorder_;
};

}  // namespace

// Every Windows session has a desktop for the program's windows.
void PrepareToolkit() {}

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
