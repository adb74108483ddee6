#include "platform/x11/X11ErrorTrap.h"

namespace velmo::x11 {

namespace {
// Xlib's error handler takes no user data, so the innermost trap is found
// here. Only the UI thread makes X calls.
X11ErrorTrap* innermost = nullptr;
}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display) {
  // Errors of requests sent before the trap belong to whoever sent them.
  XSync(display_, False);
  previous_ = XSetErrorHandler(&X11ErrorTrap::handle);
  outer_ = innermost;
  innermost = this;
}

X11ErrorTrap::~X11ErrorTrap() {
  XSync(display_, False);
  innermost = outer_;
  XSetErrorHandler(previous_);
}

int X11ErrorTrap::sync() {
  XSync(display_, False);
  return firstError_;
}

int X11ErrorTrap::handle(Display* display, XErrorEvent* event) {
  for (X11ErrorTrap* trap = innermost; trap != nullptr; trap = trap->outer_) {
    if (trap->display_ == display) {
      if (trap->firstError_ == Success) trap->firstError_ = event->error_code;
      return 0;
    }
  }
  // Not ours: the outermost trap holds the handler that was there first.
  X11ErrorTrap* outermost = innermost;
  while (outermost != nullptr && outermost->outer_ != nullptr) outermost = outermost->outer_;
  if (outermost == nullptr || outermost->previous_ == nullptr) return 0;
  return outermost->previous_(display, event);
}

}  // namespace velmo::x11
