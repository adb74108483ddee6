// When the next tick of a periodic timer is due. Deadlines are absolute, so
// the lateness of the system's timer events never adds up: the periods do.
#pragma once

#include <chrono>

namespace velmo {

using TimerClock = std::chrono::steady_clock;

// The deadline after `last`, `period` later; after a stall longer than a
// period, one period from `now` instead of a burst of ticks catching up.
inline TimerClock::time_point NextDeadline(TimerClock::time_point last, TimerClock::duration period,
                                           TimerClock::time_point now) {
  const TimerClock::time_point next = last + period;
  return next + period < now ? now + period : next;
}

}  // namespace velmo
