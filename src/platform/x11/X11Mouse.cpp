#include "platform/x11/X11Mouse.h"

#include <X11/extensions/XTest.h>

#include <string>

#include "common/Errors.h"
#include "common/Texts.h"
#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11Keys.h"

namespace velmo::x11 {

namespace {

struct ButtonStep {
  unsigned flag;
  unsigned button;  // X button number: 1 left, 2 middle, 3 right
  bool press;
};
constexpr ButtonStep kSteps[] = {
    {kMouseLeftDown, 1, true},
    {kMouseLeftUp, 1, false},
    {kMouseRightDown, 3, true},
    {kMouseRightUp, 3, false},
    {kMouseMiddleDown, 2, true},
    {kMouseMiddleUp, 2, false},
};

}  // namespace

X11Mouse::X11Mouse(DisplayPtr display)
    : display_(std::move(display)), root_(DefaultRootWindow(display_.get())) {
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display_.get(), &eventBase, &errorBase, &major, &minor)) {
    const std::string quoted = "\"" + std::string(DisplayString(display_.get())) + "\"";
    throw AppError(UserText("X11显示服务器" + quoted + "没有XTEST扩展, Velmo需要它来模拟鼠标点击。",
                            "The X server on display " + quoted +
                                " has no XTEST extension, which Velmo needs to synthesise mouse "
                                "clicks."));
  }
}

void X11Mouse::mouseEvent(unsigned flags) {
  for (const auto& step : kSteps) {
    if ((flags & step.flag) == 0) continue;
    if (!XTestFakeButtonEvent(display_.get(), step.button, step.press ? True : False,
                              CurrentTime)) {
      throw InputRefused("XTestFakeButtonEvent(" + std::string(step.press ? "press" : "release") +
                     " button " + std::to_string(step.button) + ") failed");
    }
  }
}

void X11Mouse::SetCursorPos(int x, int y) {
  // The server clamps the position to the screen, as Windows does. The
  // request is only queued here: a broken connection shows at flush() in
  // Xlib's I/O error handler, which ends the program.
  XWarpPointer(display_.get(), None, root_, 0, 0, 0, 0, x, y);
}

CursorPoint X11Mouse::GetCursorPos() {
  Window root = None, child = None;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned state = 0;
  // False only says the pointer is on another screen; root_x/root_y are
  // then its position there, which is still the answer.
  XQueryPointer(display_.get(), root_, &root, &child, &rootX, &rootY, &winX, &winY, &state);
  return {rootX, rootY};
}

void X11Mouse::keybdEvent(unsigned vk, unsigned flags) {
  const KeySym sym = VirtualKeyToKeySym(vk);
  const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(display_.get(), sym);
  if (code == 0)
    throw AppError("The keyboard map has no key for virtual-key code " + std::to_string(vk));
  const bool press = (flags & kKeyEventKeyUp) == 0;
  if (!XTestFakeKeyEvent(display_.get(), code, press ? True : False, CurrentTime))
    throw InputRefused("XTestFakeKeyEvent(" + std::string(press ? "press" : "release") + " key " +
                   std::to_string(code) + ") failed");
}

bool X11Mouse::ownWindowFromPoint(CursorPoint point) {
  if (!own_.isTopLevel || !own_.mayBeNear || !own_.mayBeNear(point)) return false;
  // A window may go away while we look: an error then just ends the search.
  X11ErrorTrap trap(display_.get());
  Window below = root_;
  for (int depth = 0; depth < 16; ++depth) {
    Window child = None;
    int x = 0, y = 0;
    if (!XTranslateCoordinates(display_.get(), root_, below, point.x, point.y, &x, &y, &child) ||
        child == None)
      return false;
    if (own_.isTopLevel(child)) return true;
    below = child;
  }
  return false;
}

bool X11Mouse::ownWindowFocused() { return own_.focused && own_.focused(); }

void X11Mouse::flush() { XFlush(display_.get()); }

}  // namespace velmo::x11
