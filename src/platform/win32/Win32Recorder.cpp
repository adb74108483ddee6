#include "platform/win32/Win32Recorder.h"

#include <string>

namespace velmo::win32 {

namespace {

// The recorder whose hooks are in place. A hook procedure gets no context of
// its own, and one recording at a time is all the program makes.
Win32Recorder* active = nullptr;

std::string HookError(const char* what) {
  return std::string("无法录制点击 (") + what + " failed: " + std::to_string(GetLastError()) + ")";
}

bool Held(int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

}  // namespace

Win32Recorder::~Win32Recorder() { stop(); }

bool Win32Recorder::start(const std::vector<EndKey>& endKeys,
                          std::function<void(MousePress)> pressed, std::function<void()> ended,
                          std::string& error) {
  stop();
  const HINSTANCE module = GetModuleHandleW(nullptr);
  mouse_ = SetWindowsHookExW(WH_MOUSE_LL, &Win32Recorder::mouseHook, module, 0);
  if (mouse_ == nullptr) {
    error = HookError("SetWindowsHookEx(WH_MOUSE_LL)");
    return false;
  }
  keyboard_ = SetWindowsHookExW(WH_KEYBOARD_LL, &Win32Recorder::keyboardHook, module, 0);
  if (keyboard_ == nullptr) {
    error = HookError("SetWindowsHookEx(WH_KEYBOARD_LL)");
    stop();
    return false;
  }
  endKeys_ = endKeys;
  pressed_ = std::move(pressed);
  ended_ = std::move(ended);
  active = this;
  return true;
}

void Win32Recorder::stop() {
  if (mouse_ != nullptr) UnhookWindowsHookEx(mouse_);
  if (keyboard_ != nullptr) UnhookWindowsHookEx(keyboard_);
  if (endTimer_ != 0) KillTimer(nullptr, endTimer_);
  mouse_ = keyboard_ = nullptr;
  endTimer_ = 0;
  pressed_ = nullptr;
  if (active == this) active = nullptr;
}

LRESULT CALLBACK Win32Recorder::mouseHook(int code, WPARAM message, LPARAM data) {
  const bool button = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
  if (code == HC_ACTION && button && active != nullptr && active->pressed_) {
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
    active->pressed_(MousePress{message == WM_RBUTTONDOWN, {event->pt.x, event->pt.y},
                                 static_cast<long long>(event->time)});
  }
  return CallNextHookEx(nullptr, code, message, data);
}

bool Win32Recorder::isEndKey(DWORD vk) const {
  const unsigned modifiers = (Held(VK_CONTROL) ? kModControl : 0) | (Held(VK_MENU) ? kModAlt : 0);
  for (const EndKey& key : endKeys_)
    if (key.vk == vk && key.modifiers == modifiers) return true;
  return false;
}

LRESULT CALLBACK Win32Recorder::keyboardHook(int code, WPARAM message, LPARAM data) {
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  if (code == HC_ACTION && down && active != nullptr && active->pressed_) {
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    if (active->isEndKey(event->vkCode)) {
      // The hooks come off once this procedure has returned, in a timer of
      // the thread's own message loop.
      active->pressed_ = nullptr;
      active->endTimer_ = SetTimer(nullptr, 0, 0, &Win32Recorder::endTimer);
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, message, data);
}

void CALLBACK Win32Recorder::endTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (active == nullptr) return;
  auto ended = std::move(active->ended_);
  active->stop();
  if (ended) ended();
}

}  // namespace velmo::win32
