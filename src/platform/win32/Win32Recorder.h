// Clicks watched through low-level mouse and keyboard hooks on the UI
// thread: the system shows each button press to the hook and then passes it
// on, so every click still reaches its window. The end keys alone are kept
// from the rest of the system, so neither Esc nor the stop hotkey does
// anything else.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "platform/ClickRecorder.h"

namespace velmo::win32 {

class Win32Recorder : public ClickRecorder {
 public:
  Win32Recorder() = default;
  ~Win32Recorder() override;
  Win32Recorder(const Win32Recorder&) = delete;
  Win32Recorder& operator=(const Win32Recorder&) = delete;

  bool start(const std::vector<EndKey>& endKeys, std::function<void(MousePress)> pressed,
             std::function<void()> ended, std::string& error) override;
  void stop() override;
  int doubleClickTimeMs() override { return static_cast<int>(GetDoubleClickTime()); }

 private:
  static LRESULT CALLBACK mouseHook(int code, WPARAM message, LPARAM data);
  static LRESULT CALLBACK keyboardHook(int code, WPARAM message, LPARAM data);
  static void CALLBACK endTimer(HWND, UINT, UINT_PTR id, DWORD);
  bool isEndKey(DWORD vk) const;

  std::vector<EndKey> endKeys_;
  std::function<void(MousePress)> pressed_;
  std::function<void()> ended_;
  HHOOK mouse_ = nullptr;
  HHOOK keyboard_ = nullptr;
  UINT_PTR endTimer_ = 0;
};

}  // namespace velmo::win32
