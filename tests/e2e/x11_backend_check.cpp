// Drives the X11 backend from a test script, one command per line on stdin,
// one answer per line on stdout. The script plays the other programs (a key
// holder, a click counter, a user pressing keys) around it.
//
//   grab M VK                  ok | refused
//   ungrab M VK                ok
//   press MS                   press M VK | timeout      (waits for a hotkey)
//   nested MS                  in-handler, then nested M VK | timeout
//                              (the first press's handler waits for a second)
//   remap KEYSYM               ok | timeout   (another client moves KEYSYM to
//                              a spare key code; ok once our grab followed)
//   warp X Y | pos             ok | pos X Y
//   click FLAGS N              ok   (N mouse events, then one flush)
#include <X11/Xlib.h>
#include <glib.h>

#include <deque>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>

#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11Platform.h"

using namespace velmo::x11;

namespace {

using Press = std::pair<unsigned, unsigned>;

// Runs the default main context until `done` holds or `timeoutMs` passes.
bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs) {
  bool expired = false;
  const auto expire = [](gpointer flag) -> gboolean {
    *static_cast<bool*>(flag) = true;
    return G_SOURCE_REMOVE;
  };
  const guint timer = g_timeout_add(timeoutMs, expire, &expired);
  while (!done() && !expired) g_main_context_iteration(nullptr, TRUE);
  if (!expired) g_source_remove(timer);
  return done();
}

std::string PressText(const char* word, const Press& p) {
  return std::string(word) + " " + std::to_string(p.first) + " " + std::to_string(p.second);
}

// A key code with no symbols at all on this keyboard, 0 when there is none.
KeyCode SpareKeyCode(Display* display) {
  int low = 0, high = 0, perCode = 0;
  XDisplayKeycodes(display, &low, &high);
  KeySym* syms = XGetKeyboardMapping(display, low, high - low + 1, &perCode);
  if (syms == nullptr) return 0;
  KeyCode spare = 0;
  for (int code = high; code >= low && spare == 0; --code) {
    bool empty = true;
    for (int i = 0; i < perCode; ++i) empty = empty && syms[(code - low) * perCode + i] == NoSymbol;
    if (empty) spare = static_cast<KeyCode>(code);
  }
  XFree(syms);
  return spare;
}

// True when a client other than `other` holds Ctrl+`code` on the root.
bool HeldByOthers(Display* other, KeyCode code) {
  X11ErrorTrap trap(other);
  XGrabKey(other, code, ControlMask, DefaultRootWindow(other), False, GrabModeAsync, GrabModeAsync);
  const bool held = trap.sync() == BadAccess;
  if (!held) XUngrabKey(other, code, ControlMask, DefaultRootWindow(other));
  return held;
}

class Driver {
 public:
  explicit Driver(X11Platform& platform) : platform_(platform) {
    platform_.grabber->setPressHandler([this](unsigned m, unsigned vk) { onPress(m, vk); });
  }

  std::string run(const std::string& line);

 private:
  void onPress(unsigned modifiers, unsigned vk);
  std::string waitPress(const char* word, unsigned timeoutMs);
  std::string nested(unsigned timeoutMs);
  std::string remap(const std::string& keysymName);

  X11Platform& platform_;
  std::deque<Press> presses_;
  bool nestedPending_ = false;
  unsigned nestedTimeout_ = 0;
  std::string nestedAnswer_;
};

void Driver::onPress(unsigned modifiers, unsigned vk) {
  if (!nestedPending_) {
    presses_.push_back({modifiers, vk});
    return;
  }
  // Wait inside the handler for the next press, as the script runner waits
  // for its stop hotkey while it runs.
  nestedPending_ = false;
  std::cout << "in-handler" << std::endl;
  nestedAnswer_ = waitPress("nested", nestedTimeout_);
}

std::string Driver::waitPress(const char* word, unsigned timeoutMs) {
  if (!PumpUntil([this] { return !presses_.empty(); }, timeoutMs)) return "timeout";
  const Press p = presses_.front();
  presses_.pop_front();
  return PressText(word, p);
}

std::string Driver::nested(unsigned timeoutMs) {
  nestedPending_ = true;
  nestedTimeout_ = timeoutMs;
  nestedAnswer_.clear();
  const bool handled = PumpUntil([this] { return !nestedAnswer_.empty(); }, timeoutMs);
  nestedPending_ = false;
  return handled ? nestedAnswer_ : "timeout";
}

// Moves `sym` from its key code to a spare one, from a connection of its own
// as a keyboard tool would.
bool MoveKeySym(Display* other, KeySym sym, KeyCode from, KeyCode to) {
  X11ErrorTrap trap(other);
  KeySym none = NoSymbol;
  XChangeKeyboardMapping(other, from, 1, &none, 1);
  XChangeKeyboardMapping(other, to, 1, &sym, 1);
  return trap.sync() == Success;
}

std::string Driver::remap(const std::string& keysymName) {
  const KeySym sym = XStringToKeysym(keysymName.c_str());
  if (sym == NoSymbol) return "error: unknown keysym " + keysymName;
  Display* other = XOpenDisplay(nullptr);
  if (other == nullptr) return "error: XOpenDisplay failed for the remapping client";
  const KeyCode from = XKeysymToKeycode(other, sym);
  const KeyCode to = SpareKeyCode(other);
  std::string answer = "error: no key code to move from or to";
  if (from != 0 && to != 0) {
    if (!MoveKeySym(other, sym, from, to)) {
      answer = "error: XChangeKeyboardMapping failed";
    } else {
      answer = PumpUntil([&] { return HeldByOthers(other, to); }, 5000) ? "ok" : "timeout";
    }
  }
  XCloseDisplay(other);
  return answer;
}

std::string Driver::run(const std::string& line) {
  std::istringstream in(line);
  std::string command;
  in >> command;
  unsigned a = 0, b = 0;
  if (command == "grab" && in >> a >> b) return platform_.grabber->grab(a, b) ? "ok" : "refused";
  if (command == "ungrab" && in >> a >> b) return platform_.grabber->ungrab(a, b), "ok";
  if (command == "press" && in >> a) return waitPress("press", a);
  if (command == "nested" && in >> a) return nested(a);
  if (command == "remap" && in >> command) return remap(command);
  int x = 0, y = 0;
  if (command == "warp" && in >> x >> y) return platform_.mouse->SetCursorPos(x, y), "ok";
  if (command == "pos") {
    const auto p = platform_.mouse->GetCursorPos();
    return "pos " + std::to_string(p.x) + " " + std::to_string(p.y);
  }
  if (command == "click" && in >> a >> b) {
    for (unsigned i = 0; i < b; ++i) platform_.mouse->mouseEvent(a);
    platform_.mouse->flush();
    return "ok";
  }
  return "error: unknown command '" + line + "'";
}

}  // namespace

int main() {
  std::string error;
  auto platform = OpenX11Platform(error);
  if (!platform) {
    std::cout << "error " << error << std::endl;
    return 1;
  }
  Driver driver(*platform);
  std::cout << "ready" << std::endl;
  for (std::string line; std::getline(std::cin, line) && line != "quit";)
    std::cout << driver.run(line) << std::endl;
  return 0;
}
