#include "scripts/ClickRecording.h"

#include <cstdlib>
#include <exception>

#include "hotkeys/HotkeyText.h"
#include "scripts/PointEditing.h"

namespace velmo {

namespace {

std::string ActionText(bool right, bool doubled) {
  return std::string(right ? "右键" : "左键") + (doubled ? "双击" : "单击");
}

}  // namespace

std::vector<EndKey> RecordingEndKeys(const std::string& stopHotkeyText) {
  std::vector<EndKey> keys{{0, kVkEscape}};
  const SplitHotkey split = SplitHotkeyText(stopHotkeyText);
  const std::optional<unsigned> flags = split.hasModifier ? ModifierFlags(split.modifier) : 0u;
  try {
    if (flags) keys.push_back({*flags, static_cast<unsigned>(KeyTextToVk(split.key))});
  } catch (const std::exception&) {
    // A stop hotkey that names no key: Esc alone ends the recording.
  }
  return keys;
}

ClickRecording::ClickRecording(Mouse& mouse, int doubleClickTimeMs)
    : mouse_(mouse), doubleClickTimeMs_(doubleClickTimeMs) {}

bool ClickRecording::completesDoubleClick(const MousePress& press) const {
  if (taken_.empty()) return false;
  const Taken& last = taken_.back();
  return !last.doubled && last.first.right == press.right &&
         press.timeMs - last.lastMs <= doubleClickTimeMs_ &&
         std::abs(press.point.x - last.first.point.x) <= kDoubleClickSlack &&
         std::abs(press.point.y - last.first.point.y) <= kDoubleClickSlack;
}

void ClickRecording::press(const MousePress& press) {
  if (mouse_.ownWindowFromPoint(press.point)) return;
  if (completesDoubleClick(press)) {
    taken_.back().doubled = true;
    taken_.back().lastMs = press.timeMs;
    return;
  }
  taken_.push_back({press, press.timeMs, false});
}

std::vector<PointRow> ClickRecording::points() const {
  std::vector<PointRow> rows;
  for (size_t i = 0; i < taken_.size(); ++i) {
    const Taken& point = taken_[i];
    const long long pause = i + 1 < taken_.size()
                                ? taken_[i + 1].first.timeMs - point.first.timeMs
                                : kRecordedLastPauseMs;
    rows.push_back({CaptureText(point.first.point), ActionText(point.first.right, point.doubled),
                    std::to_string(pause < 0 ? 0 : pause)});
  }
  return rows;
}

}  // namespace velmo
