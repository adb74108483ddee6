#include "platform/win32/Win32TimerTick.h"

#include <windows.h>
#include <timeapi.h>

#include <memory>

#include "platform/Desktop.h"

namespace velmo::win32 {

namespace {

constexpr UINT kFinePeriodMs = 1;

// SetProcessInformation came with Windows 8 and the timer opt-out with
// Windows 11: looked up by name, so the program starts on older systems, where
// the call is missing or refused and the tick stays fine for hidden windows
// anyway. A control bit without its state bit asks to honour the request.
void HonourTimerResolutionWhenHidden() {
  using SetInformation = BOOL(WINAPI*)(HANDLE, PROCESS_INFORMATION_CLASS, LPVOID, DWORD);
  const FARPROC found =
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetProcessInformation");
  if (found == nullptr) return;
  PROCESS_POWER_THROTTLING_STATE state{};
  state.Version = PROCESS_POWER_THROTTLING_CURRENT_VERSION;
  state.ControlMask = PROCESS_POWER_THROTTLING_IGNORE_TIMER_RESOLUTION;
  state.StateMask = 0;
  reinterpret_cast<SetInformation>(reinterpret_cast<void (*)()>(found))(
      GetCurrentProcess(), ProcessPowerThrottling, &state, sizeof(state));
}

}  // namespace

void Win32TimerTick::fine() {
  if (!optedOut_) HonourTimerResolutionWhenHidden();
  optedOut_ = true;
  // A refusal leaves the coarse tick: the timers still run, only later.
  if (!held_) held_ = timeBeginPeriod(kFinePeriodMs) == TIMERR_NOERROR;
}

void Win32TimerTick::coarse() {
  if (held_) timeEndPeriod(kFinePeriodMs);
  held_ = false;
}

}  // namespace velmo::win32

namespace velmo {

std::unique_ptr<TimerTick> NewTimerTick() { return std::make_unique<win32::Win32TimerTick>(); }

}  // namespace velmo
