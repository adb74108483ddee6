// The Wayland backend's one entry point: what the program needs of a
// wlroots compositor, or the reason it cannot have it here.
#pragma once

#include <memory>
#include <string>

#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandEventSource.h"
#include "platform/wayland/WaylandMouse.h"
#include "platform/wayland/WaylandPointPicker.h"

namespace velmo::wayland {

// Members in order of construction: the connection outlives what uses it.
struct WaylandInput {
  std::unique_ptr<WaylandConnection> connection;
  std::unique_ptr<FdSource> events;
  std::unique_ptr<WaylandMouse> mouse;
  // Nullptr where the compositor offers no layer shell.
  std::unique_ptr<WaylandPointPicker> picker;
};

// Nullptr, with a message for the user in `error`, when WAYLAND_DISPLAY is
// unset, the compositor cannot be reached or offers no virtual pointer.
std::unique_ptr<WaylandInput> OpenWaylandInput(std::string& error);

}  // namespace velmo::wayland
