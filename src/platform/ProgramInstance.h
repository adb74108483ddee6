// The one running program of a user on a desktop, and the requests that later
// starts of the program send it: `velmo --toggle` and its like from a shell or
// a desktop's key binding, and a second plain start that brings the first
// window forward instead of fighting over the hotkeys. Through the system's or
// the toolkit's own means: a named mutex and WM_COPYDATA on Windows, a
// single-instance lock and wx's IPC over a Unix socket elsewhere.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace velmo {

// Turns a request's text into the answer's text, on the UI thread.
using RequestAnswerer = std::function<std::string(const std::string& request)>;

// Held for as long as this start is the running program.
class RunningProgram {
 public:
  virtual ~RunningProgram() = default;
};

// Makes this start the running program of its user and desktop, answering
// requests with `answer` while the result lives; nullptr when another start
// already is. Raises AppError when the system refuses the means.
std::unique_ptr<RunningProgram> BecomeRunningProgram(RequestAnswerer answer);

// The running program's answer to `request`; nullopt when none runs. Waits
// for the answer a few seconds at most.
std::optional<std::string> AskRunningProgram(const std::string& request);

}  // namespace velmo
