#include "platform/x11/X11KeyGrabber.h"

#include <iostream>

#include "common/Errors.h"
#include "common/Texts.h"
#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11Keys.h"

namespace velmo::x11 {

namespace {

// The key modifier bits of an event state; higher bits carry pointer
// buttons and the keyboard group, which a grab does not look at.
constexpr unsigned kKeyModifierBits = 0xFF;

KeyCode CodeOf(Display* display, unsigned vk) {
  const KeySym sym = VirtualKeyToKeySym(vk);
  return sym == NoSymbol ? 0 : XKeysymToKeycode(display, sym);
}

}  // namespace

X11KeyGrabber::X11KeyGrabber(DisplayPtr display)
    : display_(std::move(display)), root_(DefaultRootWindow(display_.get())) {
  const auto locks = ReadLockMasks(display_.get());
  if (!locks)
    throw AppError(UserText("无法读取键盘的锁定键, 不能注册全局热键。",
                            "XGetModifierMapping failed: the lock keys of the keyboard are "
                            "unknown."));
  lockMasks_ = *locks;
  // Events Xlib has read during some other round trip (an XSync around a
  // grab) wait in its queue. The source may recurse: a handler that pumps
  // events (the script runner does, to let its stop hotkey in) still
  // receives presses.
  Display* connection = display_.get();
  source_ = std::make_unique<FdSource>(
      ConnectionNumber(connection),
      FdSource::Hooks{[connection] { return XQLength(connection) > 0; },
                      [this](bool) {
                        drain();
                        return true;
                      }},
      true, "the X connection of the hotkeys");
}

X11KeyGrabber::~X11KeyGrabber() {
  source_.reset();
  for (const auto& g : grabs_) ungrabKey(g.code, g.mask);
  XFlush(display_.get());
}

bool X11KeyGrabber::grab(unsigned modifiers, unsigned vk) {
  const auto mask = ModifiersToMask(modifiers);
  if (!mask || find(modifiers, vk) != grabs_.end()) return false;
  const KeyCode code = CodeOf(display_.get(), vk);
  if (code == 0 || !grabKey(code, *mask)) return false;
  grabs_.push_back({modifiers, vk, *mask, code});
  return true;
}

void X11KeyGrabber::ungrab(unsigned modifiers, unsigned vk) {
  const auto it = find(modifiers, vk);
  if (it == grabs_.end()) return;
  ungrabKey(it->code, it->mask);
  grabs_.erase(it);
  XFlush(display_.get());
}

void X11KeyGrabber::setPressHandler(PressHandler handler) { handler_ = std::move(handler); }

bool X11KeyGrabber::grabKey(KeyCode code, unsigned mask) {
  X11ErrorTrap trap(display_.get());
  for (unsigned locks : LockCombinations(lockMasks_ & ~mask))
    XGrabKey(display_.get(), code, mask | locks, root_, False, GrabModeAsync, GrabModeAsync);
  if (trap.sync() == Success) return true;
  // Some combinations may be ours now; releasing ours leaves others' alone.
  ungrabKey(code, mask);
  return false;
}

void X11KeyGrabber::ungrabKey(KeyCode code, unsigned mask) {
  if (code == 0) return;
  for (unsigned locks : LockCombinations(lockMasks_ & ~mask))
    XUngrabKey(display_.get(), code, mask | locks, root_);
}

std::vector<X11KeyGrabber::Grab>::iterator X11KeyGrabber::find(unsigned modifiers, unsigned vk) {
  for (auto it = grabs_.begin(); it != grabs_.end(); ++it) {
    if (it->modifiers == modifiers && it->vk == vk) return it;
  }
  return grabs_.end();
}

void X11KeyGrabber::drain() {
  while (XPending(display_.get()) > 0) {
    XEvent event;
    XNextEvent(display_.get(), &event);
    if (event.type == KeyPress) onKeyPress(event.xkey);
    if (event.type == MappingNotify) onMappingChange(event.xmapping);
  }
}

void X11KeyGrabber::onKeyPress(const XKeyEvent& event) {
  const unsigned mask = event.state & kKeyModifierBits & ~lockMasks_;
  for (const auto& g : grabs_) {
    if (g.code == event.keycode && g.mask == mask) {
      // The handler may grab or ungrab; hand it copies, not the entry.
      const unsigned modifiers = g.modifiers;
      const unsigned vk = g.vk;
      if (handler_) handler_(modifiers, vk);
      return;
    }
  }
}

void X11KeyGrabber::onMappingChange(XMappingEvent& event) {
  if (event.request != MappingKeyboard && event.request != MappingModifier) return;
  XRefreshKeyboardMapping(&event);
  regrabAll();
}

void X11KeyGrabber::regrabAll() {
  // The server says the keyboard changed also when only another device typed
  // (the first key of a test tool, a second keyboard). Releasing a grab that
  // is still right would open a gap where the hotkey's own press goes to the
  // focused window, so only grabs whose key code or lock keys moved are renewed.
  unsigned locks = lockMasks_;
  if (const auto read = ReadLockMasks(display_.get())) {
    locks = *read;
  } else {
    std::cerr << "Velmo: XGetModifierMapping failed after a keyboard change; "
                 "keeping the lock keys as they were\n";
  }
  std::vector<KeyCode> codes;
  std::vector<bool> moved;
  for (const auto& g : grabs_) {
    codes.push_back(CodeOf(display_.get(), g.vk));
    moved.push_back(codes.back() != g.code || codes.back() == 0 || locks != lockMasks_);
    if (moved.back()) ungrabKey(g.code, g.mask);
  }
  lockMasks_ = locks;
  for (std::size_t i = 0; i < grabs_.size(); ++i) {
    if (!moved[i]) continue;
    Grab& g = grabs_[i];
    g.code = codes[i];
    if (g.code != 0 && grabKey(g.code, g.mask)) continue;
    // Nobody asked for this grab just now, so there is no caller to refuse:
    // say so, and try again at the next keyboard change.
    std::cerr << "Velmo: after a keyboard change, the hotkey (modifiers " << g.modifiers << ", key "
              << g.vk << ") could not be grabbed again\n";
    g.code = 0;
  }
  XFlush(display_.get());
}

}  // namespace velmo::x11
