#include "platform/x11/X11Display.h"

#include <cstdlib>

namespace velmo::x11 {

void DisplayCloser::operator()(Display* display) const {
  // XCloseDisplay reports nothing useful: the connection is gone either way.
  XCloseDisplay(display);
}

namespace {

std::string MissingDisplayText() {
  std::string text = "Velmo needs an X11 display, but DISPLAY is not set.";
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (wayland != nullptr && *wayland != '\0') {
    text +=
        " This is a Wayland session without Xwayland: Wayland does not let a program grab "
        "global hotkeys or synthesise mouse clicks. Start Velmo in an X11 session, or in a "
        "Wayland session that runs Xwayland.";
  } else {
    text += " Start Velmo from an X11 desktop session.";
  }
  return text;
}

}  // namespace

DisplayPtr OpenDisplay(std::string& error) {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') {
    error = MissingDisplayText();
    return nullptr;
  }
  DisplayPtr display(XOpenDisplay(name));
  if (!display) {
    error = "Velmo cannot open the X11 display \"" + std::string(name) +
            "\" (XOpenDisplay failed): the X server is not running or refuses the connection.";
  }
  return display;
}

}  // namespace velmo::x11
