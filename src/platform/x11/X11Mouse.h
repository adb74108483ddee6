// Synthesised mouse and key input through XTest on a connection of our own.
// Events wait in Xlib's output buffer until flush(), so a tick's burst of
// clicks reaches the server in one write.
#pragma once

#include <functional>

#include "platform/Platform.h"
#include "platform/x11/X11Display.h"

namespace velmo::x11 {

class X11Mouse : public Mouse {
 public:
  // Takes over `display`. Throws AppError when the server has no XTEST.
  explicit X11Mouse(DisplayPtr display);

  // Handles the button flags in the order Windows does: left down, left up,
  // right down, right up. Throws InputRefused when XTest refuses an event.
  void mouseEvent(unsigned flags) override;
  // Moves the pointer to absolute coordinates on the default screen.
  void SetCursorPos(int x, int y) override;
  CursorPoint GetCursorPos() override;
  // The key of the virtual-key code through the keyboard map. Throws
  // AppError for a code without a key on this keyboard.
  void keybdEvent(unsigned vk, unsigned flags) override;
  // Asks the server for the windows on the way from the root to the point
  // only where the toolkit says one of ours may be near it.
  bool ownWindowFromPoint(CursorPoint point) override;
  bool ownWindowFocused() override;
  // X has no privilege levels between clients: never.
  bool elevatedWindowFromPoint(CursorPoint) override { return false; }
  void flush() override;

  // What the toolkit knows of the program's own windows; both answers are
  // false until it is told.
  struct OwnWindows {
    std::function<bool(Window)> isTopLevel;      // one of the program's top-level windows
    std::function<bool(CursorPoint)> mayBeNear;  // false: none of them is near the point
    std::function<bool()> focused;               // one of them has the keyboard focus
  };
  void recogniseOwnWindows(OwnWindows own) { own_ = std::move(own); }

 private:
  DisplayPtr display_;
  Window root_;
  OwnWindows own_;
};

}  // namespace velmo::x11
