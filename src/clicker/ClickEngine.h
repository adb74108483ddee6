// The single-point clicker: a timer on the main window whose ticks click at
// the cursor or at a fixed position, count in the status bar and stop by
// themselves once the tick limit is passed.
#pragma once

#include <cstdint>
#include <random>
#include <optional>
#include <string>

#include "clicker/HeldClicks.h"
#include "platform/Platform.h"

namespace velmo {

// The panel's controls, read live at every tick.
class ClickPanelView {
 public:
  virtual ~ClickPanelView() = default;
  virtual std::string buttonText() = 0;   // cbb1
  virtual std::string typeText() = 0;     // cbb2
  virtual bool fixedPosition() = 0;       // chk1
  virtual std::string xText() = 0;        // edt2
  virtual std::string yText() = 0;        // edt3
  virtual std::string limitText() = 0;    // edt1
};

class StatusView {
 public:
  virtual ~StatusView() = default;
  virtual void setStatusText(int panel, const std::string& text) = 0;
};

inline constexpr int ClickTimerId = 1;
inline constexpr int kBurstExtraClicks = 151;
inline constexpr const char* kStartedText = "状态:点击器已经启动";
inline constexpr const char* kStoppedText = "状态:点击器已经停止";
inline constexpr const char* kFailSafeStoppedText = "状态:鼠标被移开,点击器已经停止";
inline constexpr const char* kOwnWindowSkippedText = "状态:指向本程序窗口,不点击";
inline constexpr const char* kOwnFocusSkippedText = "状态:本程序窗口在前台,不按键";
inline constexpr const char* kElevatedSkippedText = "状态:目标以管理员运行,不点击";
inline constexpr const char* kInputRefusedStoppedText = "状态:系统拒绝操作,点击器已停止";
// The report of a refused tick, before the system's own words.
inline constexpr const char* kInputRefusedReport =
    "系统拒绝了模拟的鼠标操作,点击器已经停止。桌面被锁定、出现用户帐户控制提示或"
    "Ctrl+Alt+Del画面、远程桌面窗口最小化时都会这样,回到桌面后再按热键启动即可。\n";
// How far someone else may move the pointer before the fail-safe stops clicking.
inline constexpr int kFailSafeDistance = 20;

// The `failsafe` text: "0" off, "1" on; ConvertError for anything else.
bool FailSafeTextToSwitch(const std::string& text);

// The timer period for a time text in seconds. A text without "." is whole
// seconds (ConvertError when not an integer or when the milliseconds leave
// the 32-bit range); a text with "." must be one of the presets, else
// `current` is returned unchanged.
int TimeTextToInterval(const std::string& text, int current);

class ClickEngine {
 public:
  // `seed` starts the random source of the jittered periods.
  ClickEngine(Mouse& mouse, Timers& timers, const void* timerOwner, ClickPanelView& panel,
              StatusView& status, uint32_t seed)
      : mouse_(mouse),
        timers_(timers),
        owner_(timerOwner),
        panel_(panel),
        status_(status),
        random_(seed),
        held_(mouse, timers, timerOwner, [this] { stopOnError(); }) {}

  void ToggleClicker();
  // A tick that fails (the system refuses the cursor or the input, a text
  // cannot be read) stops the clicker before its error goes on to the
  // report, so a failure is told once, not once per tick.
  void ClickTimerProc();

  int ClickInterval = 0;
  // Percent by which each period may deviate from ClickInterval, drawn anew
  // per tick; 0 keeps the period fixed. Like the interval, fixed when the
  // clicker starts.
  int ClickJitter = 0;
  // Stops the clicker once the pointer is found more than kFailSafeDistance
  // pixels from where the clicker left it: from where it stood at the start
  // when clicking at the cursor, from the point when clicking at a fixed one.
  bool ClickFailSafe = false;
  // Milliseconds a click's button or key stays down; 0 presses and releases
  // at once, in bursts under 0.1 s. A held click is one click (or one double
  // click) per tick, let go by a timer.
  int ClickHold = 0;
  // The most button presses a tick may send, 0 for the whole burst; a
  // double click or both buttons count two. A tick still sends one click.
  int MostPressesPerTick = 0;
  // The virtual key each click presses instead of a mouse button.
  std::optional<unsigned> ClickKey;
  int ClickCount = 0;
  bool ClickerRunning = false;

 private:
  // False, with the clicker stopped, once someone else has moved the pointer.
  bool pointerLeftAlone();
  // Moves to the fixed point, when there is one that can be read.
  std::optional<CursorPoint> moveToFixedPoint();
  // False, saying so in the status bar as the reason changes, while the
  // click would land in the program itself (a window of it under the point,
  // or its focus for a key) or in a window of a program run as
  // administrator, which the system keeps it from.
  bool targetTakesClicks(std::optional<CursorPoint> point);
  void click();
  void tick();
  bool startTimer();
  void stop();
  // Inside a handler of the error of a tick: stops, then throws it on, a
  // refused input as kInputRefusedReport with the system's words.
  [[noreturn]] void stopOnError();

  Mouse& mouse_;
  Timers& timers_;
  const void* owner_;
  ClickPanelView& panel_;
  StatusView& status_;
  std::mt19937 random_;
  std::optional<CursorPoint> expectedPointer_;  // where the fail-safe expects the pointer
  HeldClicks held_;
  const char* skippedWhy_ = nullptr;  // what the status says the last tick skipped for
};

}  // namespace velmo
