// An owned Xlib connection.
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <string>

namespace velmo::x11 {

struct DisplayCloser {
  void operator()(Display* display) const;
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// Why nothing can work without DISPLAY; names Wayland when WAYLAND_DISPLAY
// says this is a Wayland session.
std::string MissingDisplayText();

// Opens a connection to the display named by DISPLAY. On failure returns
// nullptr and says in `error` what is missing, so that the user of a
// Wayland-only or headless session learns why nothing can work.
DisplayPtr OpenDisplay(std::string& error);

}  // namespace velmo::x11
