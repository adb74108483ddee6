// The system's timer tick. Windows wakes timers on its clock tick, about
// 15.6 ms, unless a program asks for a finer one: a 10-ms period then comes
// every 15.6 ms. The timers ask for the finer tick while any of them is set
// and give it back when the last is killed, never holding it at idle.
#pragma once

namespace velmo {

class TimerTick {
 public:
  virtual ~TimerTick() = default;
  virtual void fine() = 0;
  virtual void coarse() = 0;
};

}  // namespace velmo
