#include "clicker/ClickEngine.h"

#include <algorithm>
#include <cstdint>
#include <exception>

#include "clicker/ClickAction.h"
#include "clicker/IntervalJitter.h"
#include "common/Errors.h"

namespace velmo {

int TimeTextToInterval(const std::string& text, int current) {
  if (text.find('.') == std::string::npos) {
    const int64_t ms = int64_t{StrToInt(text)} * 1000;
    if (ms > INT32_MAX || ms < INT32_MIN)
      throw ConvertError(Quoted(text) + " seconds is out of range");
    return static_cast<int>(ms);
  }
  static const std::pair<const char*, int> kPresets[] = {
      {"0.5", 500}, {"0.2", 200}, {"0.1", 100}, {"0.010", 10}, {"0.005", 5}, {"0.001", 1}};
  for (const auto& [preset, ms] : kPresets) {
    if (text == preset) return ms;
  }
  return current;
}

bool FailSafeTextToSwitch(const std::string& text) {
  if (text == "0") return false;
  if (text == "1") return true;
  throw ConvertError(Quoted(text) + " is neither 0 nor 1");
}

bool ClickEngine::startTimer() {
  auto tick = [this] { ClickTimerProc(); };
  if (ClickJitter == 0) return timers_.SetTimer(owner_, ClickTimerId, ClickInterval, tick);
  return timers_.SetVaryingTimer(owner_, ClickTimerId,
                                 JitteredPeriods(ClickInterval, ClickJitter, random_), tick);
}

void ClickEngine::ToggleClicker() {
  if (ClickerRunning) {
    stop();
    return;
  }
  std::optional<CursorPoint> start;
  if (ClickFailSafe && !panel_.fixedPosition()) start = mouse_.GetCursorPos();
  if (!startTimer()) return;
  expectedPointer_ = start;
  skippedWhy_ = nullptr;
  ClickerRunning = true;
  status_.setStatusText(0, kStartedText);
}

void ClickEngine::stop() {
  timers_.KillTimer(owner_, ClickTimerId);
  ClickerRunning = false;
  status_.setStatusText(0, kStoppedText);
  held_.release();
}

void ClickEngine::stopOnError() {
  const std::exception_ptr error = std::current_exception();
  try {
    stop();
  } catch (const std::exception&) {
    // Letting go failed the same way; the first error is the one to tell.
  }
  try {
    std::rethrow_exception(error);
  } catch (const InputRefused& refused) {
    status_.setStatusText(0, kInputRefusedStoppedText);
    throw AppError(kInputRefusedReport + std::string(refused.what()));
  }
}

bool ClickEngine::pointerLeftAlone() {
  if (!ClickFailSafe || !expectedPointer_) return true;
  const CursorPoint now = mouse_.GetCursorPos();
  const long dx = now.x - expectedPointer_->x;
  const long dy = now.y - expectedPointer_->y;
  if (dx * dx + dy * dy <= long{kFailSafeDistance} * kFailSafeDistance) return true;
  stop();
  status_.setStatusText(0, kFailSafeStoppedText);
  return false;
}

std::optional<CursorPoint> ClickEngine::moveToFixedPoint() {
  if (!panel_.fixedPosition()) return std::nullopt;
  try {
    const int y = StrToInt(panel_.yText());
    const int x = StrToInt(panel_.xText());
    mouse_.SetCursorPos(x, y);
    if (ClickFailSafe) expectedPointer_ = CursorPoint{x, y};
    return CursorPoint{x, y};
  } catch (const ConvertError&) {
    // An unreadable position skips the move for this tick only.
    return std::nullopt;
  }
}

bool ClickEngine::targetTakesClicks(std::optional<CursorPoint> point) {
  const char* why = nullptr;
  if (ClickKey) {
    if (mouse_.ownWindowFocused()) why = kOwnFocusSkippedText;
  } else {
    const CursorPoint at = point ? *point : mouse_.GetCursorPos();
    if (mouse_.ownWindowFromPoint(at)) {
      why = kOwnWindowSkippedText;
    } else if (mouse_.elevatedWindowFromPoint(at)) {
      why = kElevatedSkippedText;
    }
  }
  if (why != skippedWhy_) status_.setStatusText(0, why != nullptr ? why : kStartedText);
  skippedWhy_ = why;
  return why == nullptr;
}

void ClickEngine::click() {
  const std::string button = panel_.buttonText();
  const std::string type = panel_.typeText();
  if (ClickHold > 0) {
    held_.start(ClickKey ? KeyStroke(*ClickKey) : ButtonStroke(button), type == "单击" ? 1 : 2,
                ClickHold);
    return;
  }
  const auto once = [&] {
    if (ClickKey) {
      KeyClick(mouse_, *ClickKey, type);
    } else {
      MouseClick(mouse_, button, type);
    }
  };
  int clicks = ClickInterval < 100 ? kBurstExtraClicks + 1 : 1;
  if (MostPressesPerTick > 0 && !ClickKey) {
    const int presses = (type == "单击" ? 1 : 2) * (button == "左右键" ? 2 : 1);
    clicks = std::max(1, std::min(clicks, MostPressesPerTick / presses));
  }
  for (int i = 0; i < clicks; ++i) once();
  mouse_.flush();
}

void ClickEngine::ClickTimerProc() {
  try {
    tick();
  } catch (const std::exception&) {
    stopOnError();
  }
}

void ClickEngine::tick() {
  if (!pointerLeftAlone()) return;
  // A hold the timer has caught up with ends before the next press.
  held_.release();
  if (!targetTakesClicks(moveToFixedPoint())) return;
  click();

  ++ClickCount;
  status_.setStatusText(2, "点击次数:" + std::to_string(ClickCount - 1));

  const std::string limitText = panel_.limitText();
  if (limitText == "0") return;
  // A limit that cannot be judged stops the clicker rather than click
  // without end, and its text is reported once.
  const int limit = StrToInt(limitText);
  if (limit < ClickCount) {
    stop();
    ClickCount = 0;
  }
}

}  // namespace velmo
