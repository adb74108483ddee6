// An in-memory platform: records every call in one log, answers message boxes
// from a queue, can refuse key grabs (another program holds the key) and
// fire hotkey presses and timer ticks on command.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "hotkeys/HotkeyTable.h"
#include "platform/ClickRecorder.h"
#include "platform/Platform.h"

namespace velmo::fake {

struct Log {
  std::vector<std::string> entries;
  void add(std::string entry) { entries.push_back(std::move(entry)); }
  // Entries that start with `prefix`, in order.
  std::vector<std::string> with(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& e : entries)
      if (e.rfind(prefix, 0) == 0) out.push_back(e);
    return out;
  }
  void clear() { entries.clear(); }
};

class FakeGrabber : public KeyGrabber {
 public:
  explicit FakeGrabber(Log& log) : log_(log) {}
  bool grab(unsigned modifiers, unsigned vk) override {
    if (heldElsewhere.count({modifiers, vk})) return false;
    grabbed.insert({modifiers, vk});
    return true;
  }
  void ungrab(unsigned modifiers, unsigned vk) override { grabbed.erase({modifiers, vk}); }
  void setPressHandler(PressHandler handler) override { handler_ = std::move(handler); }
  void press(unsigned modifiers, unsigned vk) {
    if (grabbed.count({modifiers, vk}) && handler_) handler_(modifiers, vk);
  }

  std::set<std::pair<unsigned, unsigned>> heldElsewhere;  // other programs' keys
  std::set<std::pair<unsigned, unsigned>> grabbed;

 private:
  Log& log_;
  PressHandler handler_;
};

// Records RegisterHotKey/UnregisterHotKey calls, then applies the real rules.
class FakeHotkeys : public Hotkeys {
 public:
  FakeHotkeys(Log& log, HotkeyTable& table) : log_(log), table_(table) {}
  bool RegisterHotKey(HotkeySink* owner, int id, unsigned modifiers, unsigned vk) override {
    const bool ok = table_.RegisterHotKey(owner, id, modifiers, vk);
    log_.add("RegisterHotKey(" + std::to_string(id) + "," + std::to_string(modifiers) + "," +
             std::to_string(vk) + ")=" + (ok ? "1" : "0"));
    return ok;
  }
  void UnregisterHotKey(HotkeySink* owner, int id) override {
    log_.add("UnregisterHotKey(" + std::to_string(id) + ")");
    table_.UnregisterHotKey(owner, id);
  }

 private:
  Log& log_;
  HotkeyTable& table_;
};

class FakeMouse : public Mouse {
 public:
  explicit FakeMouse(Log& log) : log_(log) {}
  void mouseEvent(unsigned flags) override { log_.add("mouse_event(" + std::to_string(flags) + ")"); }
  void SetCursorPos(int x, int y) override {
    refuseIfLocked("SetCursorPos");
    cursor = {x, y};
    log_.add("SetCursorPos(" + std::to_string(x) + "," + std::to_string(y) + ")");
  }
  CursorPoint GetCursorPos() override {
    refuseIfLocked("GetCursorPos");
    return cursor;
  }
  void keybdEvent(unsigned vk, unsigned flags) override {
    log_.add("keybd_event(" + std::to_string(vk) + "," + std::to_string(flags) + ")");
  }
  bool ownWindowFromPoint(CursorPoint point) override {
    return point.x >= ownWindow.x && point.x < ownWindow.x + ownWindowSize &&
           point.y >= ownWindow.y && point.y < ownWindow.y + ownWindowSize;
  }
  bool ownWindowFocused() override { return ownFocus; }
  bool elevatedWindowFromPoint(CursorPoint point) override { return point.x >= elevatedFromX; }
  void flush() override {
    refuseIfLocked("SendInput");
    ++flushes;
  }

  CursorPoint cursor;
  // The desktop is locked: the cursor calls and SendInput are refused.
  bool locked = false;
  int flushes = 0;
  // The program's one window, a square; none by default.
  CursorPoint ownWindow{-1000, -1000};
  int ownWindowSize = 0;
  bool ownFocus = false;
  // Windows of programs run as administrator fill the screen from here on.
  int elevatedFromX = 1 << 30;

 private:
  void refuseIfLocked(const std::string& call) {
    if (locked) throw InputRefused(call + " failed: access is denied");
  }

  Log& log_;
};

class FakeTimers : public Timers {
 public:
  explicit FakeTimers(Log& log) : log_(log) {}
  bool SetTimer(const void* owner, int id, int periodMs, std::function<void()> callback) override {
    log_.add("SetTimer(" + std::to_string(id) + "," + std::to_string(periodMs) + ")");
    if (refuse) return false;
    timers[{owner, id}] = std::move(callback);
    periods.erase({owner, id});
    return true;
  }
  // Logged without a period; the test draws them from `periods`.
  bool SetVaryingTimer(const void* owner, int id, TimerPeriods source,
                       std::function<void()> callback) override {
    log_.add("SetVaryingTimer(" + std::to_string(id) + ")");
    if (refuse) return false;
    timers[{owner, id}] = std::move(callback);
    periods[{owner, id}] = std::move(source);
    return true;
  }
  void KillTimer(const void* owner, int id) override {
    log_.add("KillTimer(" + std::to_string(id) + ")");
    timers.erase({owner, id});
    periods.erase({owner, id});
  }
  bool running(const void* owner, int id) const { return timers.count({owner, id}) > 0; }
  // One tick of a set timer; false when it is not set.
  bool fire(const void* owner, int id) {
    auto it = timers.find({owner, id});
    if (it == timers.end()) return false;
    auto callback = it->second;
    callback();
    return true;
  }

  bool refuse = false;
  std::map<std::pair<const void*, int>, std::function<void()>> timers;
  std::map<std::pair<const void*, int>, TimerPeriods> periods;

 private:
  Log& log_;
};

struct ShownBox {
  WindowRef owner;
  std::string text;
  std::string caption;
  unsigned flags;
};

class FakeBoxes : public MessageBoxes {
 public:
  explicit FakeBoxes(Log& log) : log_(log) {}
  int MessageBoxA(WindowRef owner, const std::string& text, const std::string& caption,
                  unsigned flags) override {
    shown.push_back({owner, text, caption, flags});
    log_.add("MessageBoxA(" + text + ")");
    if (onShow) onShow(shown.back());
    if (answers.empty()) return (flags & kMbYesNo) ? kIdNo : kIdOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<ShownBox> shown;
  std::deque<int> answers;
  std::function<void(const ShownBox&)> onShow;

 private:
  Log& log_;
};

// Its clock moves only while a pause waits: each wait lets the whole time
// left pass, or only `wakeAfter` of it when a test's onWait sets it (a
// message came early).
class FakePump : public EventPump {
 public:
  explicit FakePump(Log& log) : log_(log) {}
  void ProcessMessages() override {
    log_.add("ProcessMessages");
    ++calls;
    if (onProcess) onProcess(calls);
  }
  void WaitMessages(SteadyTime until) override {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - clock);
    log_.add("Wait(" + std::to_string(left.count()) + ")");
    wakeAfter.reset();
    if (onWait) onWait(++waits);
    clock = wakeAfter ? clock + *wakeAfter : until;
  }
  SteadyTime now() override { return clock; }

  int calls = 0;
  // Runs inside ProcessMessages with its call number: inject hotkeys here.
  std::function<void(int)> onProcess;
  SteadyTime clock;
  int waits = 0;
  std::optional<std::chrono::milliseconds> wakeAfter;
  // Runs inside WaitMessages with its call number, before the time passes.
  std::function<void(int)> onWait;

 private:
  Log& log_;
};

class FakeShell : public Shell {
 public:
  explicit FakeShell(Log& log) : log_(log) {}
  void open(const std::string& address) override {
    opened.push_back(address);
    log_.add("ShellOpen(" + address + ")");
  }
  std::vector<std::string> opened;

 private:
  Log& log_;
};

// A desktop whose clicks the test makes: press() while a watch runs, end()
// as the end key would. Refuses to start with `refusal` when set.
class FakeRecorder : public ClickRecorder {
 public:
  bool start(const std::vector<EndKey>& keys, std::function<void(MousePress)> pressed,
             std::function<void()> ended, std::string& error) override {
    if (!refusal.empty()) {
      error = refusal;
      return false;
    }
    endKeys = keys;
    pressed_ = std::move(pressed);
    ended_ = std::move(ended);
    return true;
  }
  void stop() override { pressed_ = nullptr; }
  int doubleClickTimeMs() override { return 400; }
  bool watching() const { return pressed_ != nullptr; }
  void press(const MousePress& press) { if (pressed_) pressed_(press); }
  void end() {
    pressed_ = nullptr;
    if (ended_) ended_();
  }

  std::string refusal;
  std::vector<EndKey> endKeys;

 private:
  std::function<void(MousePress)> pressed_;
  std::function<void()> ended_;
};

// The whole fake platform in one object.
struct FakePlatform {
  Log log;
  FakeGrabber grabber{log};
  HotkeyTable table{grabber};
  FakeHotkeys hotkeys{log, table};
  FakeMouse mouse{log};
  FakeTimers timers{log};
  FakeBoxes boxes{log};
  FakePump pump{log};
  FakeShell shell{log};
  FakeRecorder recorder;
  Platform platform{hotkeys, mouse, timers, boxes, pump, shell, recorder};
};

}  // namespace velmo::fake
