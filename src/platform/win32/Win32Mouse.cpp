#include "platform/win32/Win32Mouse.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

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

// The integrity level (SECURITY_MANDATORY_*_RID) of a process's token;
// nothing when the token cannot be read.
std::optional<DWORD> IntegrityLevel(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
  DWORD size = 0;
  GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
  std::vector<unsigned char> label(size);
  std::optional<DWORD> level;
  if (size != 0 && GetTokenInformation(token, TokenIntegrityLevel, label.data(), size, &size)) {
    const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(label.data())->Label.Sid;
    level = *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
  }
  CloseHandle(token);
  return level;
}

// A process that lets this one not even look at its token runs above it
// (an elevated program's token is closed to a standard user's programs).
bool ProcessAbove(DWORD processId, DWORD ownLevel) {
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  const std::optional<DWORD> level = IntegrityLevel(process);
  const bool denied = !level && GetLastError() == ERROR_ACCESS_DENIED;
  CloseHandle(process);
  return level ? *level > ownLevel : denied;
}

}  // namespace

Win32Mouse::Win32Mouse()
    : ownLevel_(IntegrityLevel(GetCurrentProcess()).value_or(SECURITY_MANDATORY_MEDIUM_RID)) {}

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

bool Win32Mouse::elevatedWindowFromPoint(CursorPoint point) {
  const HWND window = WindowFromPoint(POINT{point.x, point.y});
  DWORD process = 0;
  if (window == nullptr || GetWindowThreadProcessId(window, &process) == 0) return false;
  if (process != lastProcess_) {
    lastProcess_ = process;
    lastElevated_ = ProcessAbove(process, ownLevel_);
  }
  return lastElevated_;
}

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
