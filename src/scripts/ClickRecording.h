// The rules that turn the button presses of a recording into script points:
// a press on one of the program's own windows is dropped; a second press of
// the same button near the first and within the double-click time makes the
// point a double click; each point's pause is the time from its first press to
// the next point's, and the last point gets kRecordedLastPauseMs.
#pragma once

#include <string>
#include <vector>

#include "platform/ClickRecorder.h"
#include "platform/Platform.h"
#include "scripts/PointList.h"

namespace velmo {

// The pause after the last recorded point, which nothing follows.
inline constexpr int kRecordedLastPauseMs = 1000;
// How far apart in pixels, along each axis, the two presses of a double click may be.
inline constexpr int kDoubleClickSlack = 4;

// Esc, and the stop hotkey of its combined text ("Ctrl+F6") when that names a key.
std::vector<EndKey> RecordingEndKeys(const std::string& stopHotkeyText);

class ClickRecording {
 public:
  ClickRecording(Mouse& mouse, int doubleClickTimeMs);

  void press(const MousePress& press);
  // The points so far, as the editor's list shows them.
  std::vector<PointRow> points() const;

 private:
  struct Taken {
    MousePress first;
    long long lastMs;
    bool doubled;
  };
  bool completesDoubleClick(const MousePress& press) const;

  Mouse& mouse_;
  int doubleClickTimeMs_;
  std::vector<Taken> taken_;
};

}  // namespace velmo
