// The Linux backend's one entry point: opens what the program needs of the
// X server, or says precisely what is missing.
#pragma once

#include <memory>
#include <string>

#include "platform/x11/X11KeyGrabber.h"
#include "platform/x11/X11Mouse.h"

namespace velmo::x11 {

struct X11Platform {
  std::unique_ptr<X11KeyGrabber> grabber;
  std::unique_ptr<X11Mouse> mouse;
};

// Nullptr, with a message for the user in `error`, when there is no X
// display (unset DISPLAY, a Wayland session without Xwayland, a server that
// refuses us) or when the server lacks what we need.
std::unique_ptr<X11Platform> OpenX11Platform(std::string& error);

}  // namespace velmo::x11
