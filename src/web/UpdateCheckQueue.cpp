#include "web/UpdateCheckQueue.h"

#include <utility>

#include "common/ScopeExit.h"

namespace velmo {

UpdateCheckQueue::UpdateCheckQueue(Check check, std::function<void()> endApplication)
    : check_(std::move(check)), endApplication_(std::move(endApplication)) {}

void UpdateCheckQueue::documentCompleted() {
  if (ended_) return;
  if (running_) {
    again_ = true;
    return;
  }
  const FlagScope running(running_);
  const std::function<void()> end = [this] {
    ended_ = true;
    endApplication_();
  };
  do {
    again_ = false;
    check_(end);
  } while (again_ && !ended_);
}

}  // namespace velmo
