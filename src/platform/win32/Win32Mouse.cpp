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

}  // namespace

void Win32Mouse::mouseEvent(unsigned flags) {
  for (unsigned step : kSteps) {
    if (flags & step) pending_.push_back(step);
  }
}

void Win32Mouse::SetCursorPos(int x, int y) {
  flush();
  if (!::SetCursorPos(x, y))
    throw AppError("SetCursorPos failed: " + SystemMessage(GetLastError()));
}

CursorPoint Win32Mouse::GetCursorPos() {
  POINT p{};
  if (!::GetCursorPos(&p)) throw AppError("GetCursorPos failed: " + SystemMessage(GetLastError()));
  return {p.x, p.y};
}

void Win32Mouse::flush() {
  if (pending_.empty()) return;
  std::vector<INPUT> inputs(pending_.size());
  for (size_t i = 0; i < pending_.size(); ++i) {
    inputs[i].type = INPUT_MOUSE;
    inputs[i].mi.dwFlags = pending_[i];
  }
  pending_.clear();
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size())
    throw AppError("SendInput sent " + std::to_string(sent) + " of " +
                   std::to_string(inputs.size()) +
                   " mouse events: " + SystemMessage(GetLastError()));
}

}  // namespace velmo::win32
