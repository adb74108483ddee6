#include "platform/wayland/WaylandEventSource.h"

#include <iostream>

namespace velmo::wayland {

std::unique_ptr<FdSource> WatchConnection(WaylandConnection& connection) {
  wl_display* display = connection.display();
  const auto queued = [display] {
    // prepare_read refuses while events wait in the queue: dispatch them now.
    if (wl_display_prepare_read(display) != 0) return true;
    wl_display_cancel_read(display);
    // What cannot be sent now (a full socket) goes with the next flush.
    wl_display_flush(display);
    return false;
  };
  const auto dispatch = [&connection](bool readable) {
    if (connection.dispatch(readable)) return true;
    std::cerr << connection.lostText() << std::endl;
    return false;
  };
  return std::make_unique<FdSource>(wl_display_get_fd(display), FdSource::Hooks{queued, dispatch},
                                    false, "the Wayland connection");
}

}  // namespace velmo::wayland
