#include "platform/win32/Win32Mouse.h"

#include <windows.h>

#include <string>

#include "common/Errors.h"
#include "platform/win32/WideText.h"

namespace velmo::win32 {

namespace {

// The program's flags carry mouse_event's values; each is one SendInput event.
constexpr unsigned kSteps[] = {kMouseLeftDown,  kMouseLeftUp,     kMouseRightDown,
                               kMouseRightUp,   kMouseMiddleDown, kMouseMiddleUp};
static_assert(kMouseLeftDown == MOUSEEVENTF_LEFTDOWN && kMouseLeftUp == MOUSEEVENTF_LEFTUP &&
              kMouseRightDown == MOUSEEVENTF_RIGHTDOWN && kMouseRightUp == MOUSEEVENTF_RIGHTUP &&
              kMouseMiddleDown == MOUSEEVENTF_MIDDLEDOWN && kMouseMiddleUp == MOUSEEVENTF_MIDDLEUP);
static_assert(kKeyEventKeyUp == KEYEVENTF_KEYUP);

bool OwnWindow(HWND window) {
  DWORD process = 0;
  return window != nullptr && GetWindowThreadProcessId(window, &process) != 0 &&
         process == GetCurrentProcessId();
}

}  // namespace

void Win32Mouse::mouseEvent(unsigned flags) {
  for (unsigned step : kSteps) {
    if ((flags & step) == 0) continue;
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = step;
    pending_.push_back(input);
  }
}

void Win32Mouse::keybdEvent(unsigned vk, unsigned flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(vk);
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags & kKeyEventKeyUp;
  pending_.push_back(input);
}

bool Win32Mouse::ownWindowFromPoint(CursorPoint point) {
  return OwnWindow(WindowFromPoint(POINT{point.x, point.y}));
}

bool Win32Mouse::ownWindowFocused() { return OwnWindow(GetForegroundWindow()); }

void Win32Mouse::SetCursorPos(int x, int y) {
  flush();
  if (!::SetCursorPos(x, y))
    throw InputRefused("SetCursorPos failed: " + SystemMessage(GetLastError()));
}

CursorPoint Win32Mouse::GetCursorPos() {
  POINT p{};
  if (!::GetCursorPos(&p)) throw InputRefused("GetCursorPos failed: " + SystemMessage(GetLastError()));
  return {p.x, p.y};
}

void Win32Mouse::flush() {
  if (pending_.empty()) return;
  std::vector<INPUT> inputs;
  inputs.swap(pending_);
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size())
    throw InputRefused("SendInput sent " + std::to_string(sent) + " of " +
                   std::to_string(inputs.size()) +
                   " input events: " + SystemMessage(GetLastError()));
}

}  // namespace velmo::win32
