#include "platform/wx/WxTimers.h"

#include <wx/timer.h>

#include <chrono>
#include <cmath>

#include "platform/TimerDeadlines.h"

namespace velmo {

using Clock = TimerClock;

class DeadlineTimer : public wxTimer {
 public:
  void start(TimerPeriods periods, std::function<void()> callback) {
    periods_ = std::move(periods);
    callback_ = std::move(callback);
    deadline_ = Clock::now() + nextPeriod();
    armFor(deadline_);
  }

  void Notify() override {
    deadline_ = NextDeadline(deadline_, nextPeriod(), Clock::now());
    armFor(deadline_);
    auto callback = callback_;  // the callback may restart or stop this timer
    callback();
  }

 private:
  void armFor(Clock::time_point when) {
    const double ms = std::chrono::duration<double, std::milli>(when - Clock::now()).count();
    StartOnce(ms <= 0 ? 0 : static_cast<int>(std::lround(ms)));
  }

  Clock::duration nextPeriod() {
    return std::chrono::milliseconds(EffectiveTimerPeriod(periods_()));
  }

  TimerPeriods periods_;
  Clock::time_point deadline_{};
  std::function<void()> callback_;
};

WxTimers::WxTimers(TimerTick* tick) : tick_(tick) {}
WxTimers::~WxTimers() {
  if (!running_.empty() && tick_) tick_->coarse();
}

void WxTimers::setRunning(const Key& key, bool running) {
  const bool idleBefore = running_.empty();
  if (running) {
    running_.insert(key);
  } else {
    running_.erase(key);
  }
  if (tick_ && idleBefore != running_.empty()) {
    if (idleBefore) {
      tick_->fine();
    } else {
      tick_->coarse();
    }
  }
}

bool WxTimers::SetTimer(const void* owner, int id, int periodMs, std::function<void()> callback) {
  return SetVaryingTimer(owner, id, [periodMs] { return periodMs; }, std::move(callback));
}

bool WxTimers::SetVaryingTimer(const void* owner, int id, TimerPeriods periods,
                               std::function<void()> callback) {
  auto& timer = timers_[{owner, id}];
  if (!timer) timer = std::make_unique<DeadlineTimer>();
  timer->start(std::move(periods), std::move(callback));
  setRunning({owner, id}, timer->IsRunning());
  return timer->IsRunning();
}

void WxTimers::KillTimer(const void* owner, int id) {
  auto it = timers_.find({owner, id});
  if (it != timers_.end()) it->second->Stop();
  setRunning({owner, id}, false);
}

}  // namespace velmo
