#include "platform/wx/WxTimers.h"

#include <wx/timer.h>

#include <chrono>
#include <cmath>

namespace velmo {

using Clock = std::chrono::steady_clock;

class DeadlineTimer : public wxTimer {
 public:
  void start(int periodMs, std::function<void()> callback) {
    period_ = std::chrono::milliseconds(periodMs);
    callback_ = std::move(callback);
    deadline_ = Clock::now() + period_;
    armFor(deadline_);
  }

  void Notify() override {
    const auto now = Clock::now();
    deadline_ += period_;
    // After a stall longer than a period, start counting again from now
    // instead of firing a catch-up burst.
    if (deadline_ + period_ < now) deadline_ = now + period_;
    armFor(deadline_);
    auto callback = callback_;  // the callback may restart or stop this timer
    callback();
  }

 private:
  void armFor(Clock::time_point when) {
    const double ms = std::chrono::duration<double, std::milli>(when - Clock::now()).count();
    StartOnce(ms <= 0 ? 0 : static_cast<int>(std::lround(ms)));
  }

  Clock::duration period_{};
  Clock::time_point deadline_{};
  std::function<void()> callback_;
};

WxTimers::WxTimers() = default;
WxTimers::~WxTimers() = default;

bool WxTimers::SetTimer(const void* owner, int id, int periodMs, std::function<void()> callback) {
  auto& timer = timers_[{owner, id}];
  if (!timer) timer = std::make_unique<DeadlineTimer>();
  timer->start(EffectiveTimerPeriod(periodMs), std::move(callback));
  return timer->IsRunning();
}

void WxTimers::KillTimer(const void* owner, int id) {
  auto it = timers_.find({owner, id});
  if (it != timers_.end()) it->second->Stop();
}

}  // namespace velmo
