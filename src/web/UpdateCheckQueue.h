// One update check at a time. Reading the page lets the browser's events run
// meanwhile, so a document can complete while a check is reading; a nested
// check would read through the same browser at the same time, and wx's
// script runner mixes up the answers of two readers of one browser. Such a
// completion asks for one more check once the running one is over instead.
#pragma once

#include <functional>

namespace velmo {

class UpdateCheckQueue {
 public:
  // `check` runs one update check with the function that ends the
  // application; once a check has called it, no check runs any more.
  using Check = std::function<void(const std::function<void()>& endApplication)>;
  UpdateCheckQueue(Check check, std::function<void()> endApplication);

  void documentCompleted();

 private:
  Check check_;
  std::function<void()> endApplication_;
  bool running_ = false;
  bool again_ = false;
  bool ended_ = false;
};

}  // namespace velmo
