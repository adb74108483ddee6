// Holds a request to end the program that comes while a script runs. A run
// handles pending events before each point, so the close box, 退出软件(&E),
// the tray menu's exit or the update check can ask to end in the middle of
// it; ending there would take the main window, and the runner it owns, away
// from under the run. The request is taken in, the run goes on to its end,
// and the program ends after the outermost run.
#pragma once

#include <optional>

namespace velmo {

enum class EndKind {
  Close,      // the main window's close, with its close query (and close-time page)
  Terminate,  // ends at once, without the close query: tray exit, update check
};

class EndGate {
 public:
  // Whether an end of this kind may go ahead now. While a run goes on it is
  // held instead; of two held requests the one without the close query wins.
  bool admit(EndKind kind);

  void runStarted() { ++runs_; }
  // The held request, once the outermost run has ended; it is then released.
  std::optional<EndKind> runEnded();

 private:
  int runs_ = 0;
  std::optional<EndKind> held_;
};

}  // namespace velmo
