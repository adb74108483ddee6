#include "platform/x11/X11Platform.h"

#include "common/Errors.h"

namespace velmo::x11 {

std::unique_ptr<X11Platform> OpenX11Platform(std::string& error) {
  // Two connections: grab errors are trapped on one while the other keeps
  // its buffered clicks untouched by the trap's XSync.
  DisplayPtr keys = OpenDisplay(error);
  if (!keys) return nullptr;
  DisplayPtr pointer = OpenDisplay(error);
  if (!pointer) return nullptr;
  try {
    auto platform = std::make_unique<X11Platform>();
    platform->mouse = std::make_unique<X11Mouse>(std::move(pointer));
    platform->grabber = std::make_unique<X11KeyGrabber>(std::move(keys));
    return platform;
  } catch (const AppError& e) {
    error = e.what();
    return nullptr;
  }
}

}  // namespace velmo::x11
