// Synthesised mouse input through XTest on a connection of our own. Events
// wait in Xlib's output buffer until flush(), so a tick's burst of clicks
// reaches the server in one write.
#pragma once

#include "platform/Platform.h"
#include "platform/x11/X11Display.h"

namespace velmo::x11 {

class X11Mouse : public Mouse {
 public:
  // Takes over `display`. Throws AppError when the server has no XTEST.
  explicit X11Mouse(DisplayPtr display);

  // Handles the button flags in the order Windows does: left down, left up,
  // right down, right up. Throws AppError when XTest refuses an event.
  void mouseEvent(unsigned flags) override;
  // Moves the pointer to absolute coordinates on the default screen.
  void SetCursorPos(int x, int y) override;
  CursorPoint GetCursorPos() override;
  void flush() override;

 private:
  DisplayPtr display_;
  Window root_;
};

}  // namespace velmo::x11
