// The operations the program's logic needs of the system. Win32 values are
// the vocabulary on every platform; each backend translates them. The
// constants carry k-names (kModAlt for MOD_ALT, kMbYesNo for MB_YESNO, kIdYes
// for IDYES) because <windows.h> defines the Win32 names as macros, which
// would rewrite any identifier spelled like them in a unit that includes it.
//
// Backends: platform/x11 (hotkey grabs, XTest mouse, RECORD), platform/win32
// (RegisterHotKey, SendInput, ShellExecuteW, low-level hooks), platform/wx (timers, message
// boxes, pumping, the shell on Linux), tests/fakes (records every call).
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "common/Errors.h"

namespace velmo {

class ClickRecorder;  // platform/ClickRecorder.h

// Modifier flags of RegisterHotKey.
constexpr unsigned kModAlt = 0x0001;
constexpr unsigned kModControl = 0x0002;

// Button flags of mouse_event.
constexpr unsigned kMouseLeftDown = 0x0002;
constexpr unsigned kMouseLeftUp = 0x0004;
constexpr unsigned kMouseRightDown = 0x0008;
constexpr unsigned kMouseRightUp = 0x0010;
constexpr unsigned kMouseMiddleDown = 0x0020;
constexpr unsigned kMouseMiddleUp = 0x0040;

// Flag of keybd_event: the key goes up.
constexpr unsigned kKeyEventKeyUp = 0x0002;

// Message box styles and answers.
constexpr unsigned kMbOk = 0x00;
constexpr unsigned kMbYesNo = 0x04;
constexpr unsigned kMbIconError = 0x10;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbIconWarning = 0x30;
constexpr unsigned kMbIconInformation = 0x40;
constexpr int kIdOk = 1;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// An owner window as the platform knows it; nullptr means "no owner".
using WindowRef = void*;

struct CursorPoint {
  int x = 0;
  int y = 0;
};

// What the desktop made of one registered id, where it binds the hotkeys
// itself and answers later (the desktop portal's global shortcuts).
struct HotkeyOutcome {
  int id = 0;
  bool bound = false;   // false: refused, and the id is released already
  std::string trigger;  // the desktop's words for the keys that now press it
};

// A window that receives WM_HOTKEY for the ids it registered.
class HotkeySink {
 public:
  virtual ~HotkeySink() = default;
  virtual void WMHotKey(int id) = 0;
  // Each time the desktop answers, the outcome of every id this window holds.
  // Where registration answers at once it is never called; a window that has
  // nothing to show of the desktop's answer keeps this one.
  virtual void hotkeysAnswered(const std::vector<HotkeyOutcome>&) {}
};

// RegisterHotKey / UnregisterHotKey. A combination held by anyone (another
// program, or this program under another id or window) is refused;
// registering an id that the owner still holds releases it first.
class Hotkeys {
 public:
  virtual ~Hotkeys() = default;
  virtual bool RegisterHotKey(HotkeySink* owner, int id, unsigned modifiers, unsigned vk) = 0;
  virtual void UnregisterHotKey(HotkeySink* owner, int id) = 0;
};

// What Mouse throws when the system refuses to read or move the cursor or to
// take synthesised input: on Windows while the desktop is locked, a UAC
// prompt or the Ctrl+Alt+Del screen is up, or a remote session is minimised.
// The text names the call that failed and the system's reason.
class InputRefused : public AppError {
 public:
  using AppError::AppError;
};

// mouse_event with button flags only, keybd_event, SetCursorPos,
// GetCursorPos, and whether a window of this program is where input would go.
// Events may be buffered until flush(); callers flush once per burst.
class Mouse {
 public:
  virtual ~Mouse() = default;
  virtual void mouseEvent(unsigned flags) = 0;
  // A virtual-key code going down (flags 0) or up (kKeyEventKeyUp), to the
  // window with the keyboard focus.
  virtual void keybdEvent(unsigned vk, unsigned flags) = 0;
  // The window under a screen point belongs to this program.
  virtual bool ownWindowFromPoint(CursorPoint point) = 0;
  // The keyboard focus is in a window of this program.
  virtual bool ownWindowFocused() = 0;
  // The window under a screen point belongs to a program of a higher
  // privilege (integrity level) than this one: Windows drops input sent to
  // it, while SendInput still reports success.
  virtual bool elevatedWindowFromPoint(CursorPoint point) = 0;
  // These three throw InputRefused when the system refuses them.
  virtual void SetCursorPos(int x, int y) = 0;
  virtual CursorPoint GetCursorPos() = 0;
  virtual void flush() = 0;
};

// The length of each period of a timer in ms, asked as the period begins.
using TimerPeriods = std::function<int()>;

// SetTimer / KillTimer on a window. Periods are raised to the platform's
// minimum of 10 ms; the callback runs on the UI thread.
class Timers {
 public:
  virtual ~Timers() = default;
  virtual bool SetTimer(const void* owner, int id, int periodMs, std::function<void()> callback) = 0;
  // SetTimer whose periods vary: `periods` gives the first as the timer is
  // set and each next one as a tick comes due.
  virtual bool SetVaryingTimer(const void* owner, int id, TimerPeriods periods,
                               std::function<void()> callback) = 0;
  virtual void KillTimer(const void* owner, int id) = 0;
};

// MessageBoxA (UTF-8 texts): returns kIdOk, kIdYes or kIdNo.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual int MessageBoxA(WindowRef owner, const std::string& text, const std::string& caption,
                          unsigned flags) = 0;
};

// A moment on the system's steady clock.
using SteadyTime = std::chrono::steady_clock::time_point;

// Handling of pending messages for the script runner, and its pauses: it
// waits for messages, not in a blocking sleep, so the window stays alive and
// the stop hotkey gets in during a pause.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void ProcessMessages() = 0;
  // Blocks until a message comes or `until` is reached, then handles the
  // pending messages as ProcessMessages does. It may come back early either
  // way: callers look at the clock.
  virtual void WaitMessages(SteadyTime until) = 0;
  virtual SteadyTime now() = 0;
};

// ShellExecute "open" of a web address or file. Returns at once, and a
// failure is silent: every caller goes on (ends the program, say) whether a
// browser came up or not, so a backend at most writes the system's reason to
// stderr.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual void open(const std::string& address) = 0;
};

// Everything a window needs of the system, by reference.
class PointPicker;

struct Platform {
  Hotkeys& hotkeys;
  Mouse& mouse;
  Timers& timers;
  MessageBoxes& boxes;
  EventPump& pump;
  Shell& shell;
  ClickRecorder& recorder;
  // Where the cursor cannot be read (Wayland): picking a point by clicking
  // it; nullptr elsewhere.
  PointPicker* picker = nullptr;
};

constexpr int kMinTimerPeriodMs = 10;

// Effective SetTimer period: below 10 ms is raised to 10; a negative value,
// read as unsigned by the system, is capped at 0x7FFFFFFF.
inline int EffectiveTimerPeriod(int periodMs) {
  if (periodMs < 0) return 0x7FFFFFFF;
  return periodMs < kMinTimerPeriodMs ? kMinTimerPeriodMs : periodMs;
}

}  // namespace velmo
