// Catches the X errors of one connection for the life of the trap instead of
// letting the process-wide handler see them (Xlib's default handler exits).
#pragma once

#include <X11/Xlib.h>

namespace velmo::x11 {

// Traps nest. Errors of other connections go on to the handler that was in
// place before the trap.
class X11ErrorTrap {
 public:
  explicit X11ErrorTrap(Display* display);
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Waits until the server has answered every request sent so far and
  // returns the code of the first error it reported since the trap was set
  // (Success when none).
  int sync();

 private:
  static int handle(Display* display, XErrorEvent* event);

  Display* display_;
  XErrorHandler previous_ = nullptr;
  X11ErrorTrap* outer_ = nullptr;
  int firstError_ = Success;
};

}  // namespace velmo::x11
