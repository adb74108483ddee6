// SetTimer/KillTimer on wx timers. Each tick is scheduled from an absolute
// deadline, not "now + period", so the long-run rate holds even though a
// single timer event arrives a little late.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <utility>

#include "platform/Platform.h"
#include "platform/TimerTick.h"

namespace velmo {

class DeadlineTimer;

class WxTimers : public Timers {
 public:
  // Holds `tick` fine while any timer is set; nullptr asks nothing of the
  // system.
  explicit WxTimers(TimerTick* tick);
  ~WxTimers() override;
  bool SetTimer(const void* owner, int id, int periodMs, std::function<void()> callback) override;
  bool SetVaryingTimer(const void* owner, int id, TimerPeriods periods,
                       std::function<void()> callback) override;
  void KillTimer(const void* owner, int id) override;
 private:
  using Key = std::pair<const void*, int>;
  void setRunning(const Key& key, bool running);

  // Timers are stopped, never destroyed, by KillTimer: a callback may kill
  // the very timer that is calling it.
  std::map<Key, std::unique_ptr<DeadlineTimer>> timers_;
  std::set<Key> running_;
  TimerTick* tick_;
};

}  // namespace velmo
