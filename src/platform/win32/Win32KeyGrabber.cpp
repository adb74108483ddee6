#include "platform/win32/Win32KeyGrabber.h"

#include <windows.h>

#include <algorithm>

#include "common/Errors.h"
#include "platform/Platform.h"
#include "platform/win32/WideText.h"

namespace velmo::win32 {

namespace {

constexpr wchar_t kClassName[] = L"VelmoHotkeyWindow";

LRESULT CALLBACK hotkeyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HOTKEY) {
    auto* grabber = reinterpret_cast<Win32KeyGrabber*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (grabber) grabber->onHotKey(static_cast<int>(wParam));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND makeWindow() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = hotkeyWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw AppError("RegisterClassExW failed: " + SystemMessage(GetLastError()));
  HWND window =
      CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (!window)
    throw AppError("CreateWindowExW(HWND_MESSAGE) failed: " + SystemMessage(GetLastError()));
  return window;
}

}  // namespace

Win32KeyGrabber::Win32KeyGrabber() : window_(makeWindow()) {
  SetWindowLongPtrW(static_cast<HWND>(window_), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32KeyGrabber::~Win32KeyGrabber() {
  for (const auto& g : grabs_) UnregisterHotKey(static_cast<HWND>(window_), g.id);
  DestroyWindow(static_cast<HWND>(window_));
}

int Win32KeyGrabber::freeId() const {
  int id = 1;
  while (std::any_of(grabs_.begin(), grabs_.end(), [&](const Grab& g) { return g.id == id; })) ++id;
  return id;
}

bool Win32KeyGrabber::grab(unsigned modifiers, unsigned vk) {
  if ((modifiers & ~(kModAlt | kModControl)) != 0) return false;
  const int id = freeId();
  if (!RegisterHotKey(static_cast<HWND>(window_), id, modifiers | MOD_NOREPEAT, vk)) return false;
  grabs_.push_back({modifiers, vk, id});
  return true;
}

void Win32KeyGrabber::ungrab(unsigned modifiers, unsigned vk) {
  const auto it = std::find_if(grabs_.begin(), grabs_.end(), [&](const Grab& g) {
    return g.modifiers == modifiers && g.vk == vk;
  });
  if (it == grabs_.end()) return;
  UnregisterHotKey(static_cast<HWND>(window_), it->id);
  grabs_.erase(it);
}

void Win32KeyGrabber::setPressHandler(PressHandler handler) { handler_ = std::move(handler); }

void Win32KeyGrabber::onHotKey(int id) {
  const auto it =
      std::find_if(grabs_.begin(), grabs_.end(), [&](const Grab& g) { return g.id == id; });
  if (it == grabs_.end() || !handler_) return;
  // Copies: the handler may release or re-register this very combination.
  const unsigned modifiers = it->modifiers, vk = it->vk;
  handler_(modifiers, vk);
}

}  // namespace velmo::win32
