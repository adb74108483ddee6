// Clicks whose button or key stays down for a while: pressed at once and let
// go by a timer, so the program goes on handling its messages meanwhile.
#pragma once

#include <functional>

#include "clicker/ClickAction.h"
#include "platform/Platform.h"

namespace velmo {

inline constexpr int ClickReleaseTimerId = 2;

class HeldClicks {
 public:
  // `failed` runs inside the handler of an error of the release timer, once
  // that timer is stopped and nothing counts as down.
  HeldClicks(Mouse& mouse, Timers& timers, const void* timerOwner, std::function<void()> failed)
      : mouse_(mouse), timers_(timers), owner_(timerOwner), failed_(std::move(failed)) {}
  // Nothing stays pressed after the clicker is gone.
  ~HeldClicks();
  HeldClicks(const HeldClicks&) = delete;
  HeldClicks& operator=(const HeldClicks&) = delete;

  // Presses `stroke` now and releases it `holdMs` later; for `presses` 2 it
  // presses again at that release and lets go another `holdMs` later. What
  // is still down from before is let go first.
  void start(const Stroke& stroke, int presses, int holdMs);
  // Lets go at once of what is down and drops the presses still to come.
  void release();

 private:
  void ReleaseTimerProc();
  void releaseStep();

  Mouse& mouse_;
  Timers& timers_;
  const void* owner_;
  std::function<void()> failed_;
  Stroke stroke_;
  bool down_ = false;
  int pressesLeft_ = 0;  // after the one that is down
};

}  // namespace velmo
