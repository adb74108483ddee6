// Watching the user's clicks anywhere on the desktop without taking them
// away from their windows, for recording a script. Backends: platform/x11
// (the RECORD extension), platform/win32 (low-level mouse and keyboard hooks).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace velmo {

// A left or right button going down, where and when; `timeMs` counts on a
// clock of the system's choosing, so only differences mean anything.
struct MousePress {
  bool right = false;
  CursorPoint point;
  long long timeMs = 0;
};

// A key that ends the watch: kModAlt / kModControl flags and a virtual-key code.
struct EndKey {
  unsigned modifiers = 0;
  unsigned vk = 0;
};

class ClickRecorder {
 public:
  virtual ~ClickRecorder() = default;
  // Starts watching: each press goes to `pressed` on the UI thread, until one
  // of `endKeys` goes down anywhere; then the watch stops by itself and
  // `ended` runs. False, with a message for the user in `error`, when the
  // desktop cannot be watched.
  virtual bool start(const std::vector<EndKey>& endKeys, std::function<void(MousePress)> pressed,
                     std::function<void()> ended, std::string& error) = 0;
  // Stops a watch early, without calling `ended`; nothing when none runs.
  virtual void stop() = 0;
  // The system's double-click time: a second press of a button within it is
  // a double click.
  virtual int doubleClickTimeMs() = 0;
};

// Virtual-key code of Escape, which always ends a recording.
constexpr unsigned kVkEscape = 0x1B;

}  // namespace velmo
