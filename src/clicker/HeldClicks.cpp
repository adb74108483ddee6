#include "clicker/HeldClicks.h"

#include <exception>

namespace velmo {

HeldClicks::~HeldClicks() {
  try {
    release();
  } catch (const std::exception&) {
    // The display is gone with the program; there is no one left to tell.
  }
}

void HeldClicks::start(const Stroke& stroke, int presses, int holdMs) {
  release();
  stroke_ = stroke;
  Press(mouse_, stroke_);
  mouse_.flush();
  down_ = true;
  pressesLeft_ = presses - 1;
  if (!timers_.SetTimer(owner_, ClickReleaseTimerId, holdMs, [this] { ReleaseTimerProc(); }))
    release();
}

void HeldClicks::release() {
  // The release timer runs exactly while something is down.
  if (!down_) return;
  timers_.KillTimer(owner_, ClickReleaseTimerId);
  pressesLeft_ = 0;
  down_ = false;
  Release(mouse_, stroke_);
  mouse_.flush();
}

void HeldClicks::ReleaseTimerProc() {
  try {
    releaseStep();
  } catch (const std::exception&) {
    timers_.KillTimer(owner_, ClickReleaseTimerId);
    down_ = false;
    pressesLeft_ = 0;
    failed_();
  }
}

void HeldClicks::releaseStep() {
  if (!down_) return;
  Release(mouse_, stroke_);
  down_ = false;
  if (pressesLeft_ > 0) {
    --pressesLeft_;
    Press(mouse_, stroke_);
    down_ = true;
  } else {
    timers_.KillTimer(owner_, ClickReleaseTimerId);
  }
  mouse_.flush();
}

}  // namespace velmo
