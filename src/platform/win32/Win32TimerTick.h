// The 1-ms system tick while the program's timers run, through winmm's
// timeBeginPeriod and timeEndPeriod: without it Windows wakes a 10-ms timer
// on its clock tick of about 15.6 ms. Windows 11 lets the tick of a process
// whose windows are minimised or covered fall back to the coarse one unless
// the process opts out of that throttling, which the first request does.
#pragma once

#include "platform/TimerTick.h"

namespace velmo::win32 {

class Win32TimerTick : public TimerTick {
 public:
  void fine() override;
  void coarse() override;

 private:
  bool optedOut_ = false;
  bool held_ = false;  // a request that the system took, to give back
};

}  // namespace velmo::win32
