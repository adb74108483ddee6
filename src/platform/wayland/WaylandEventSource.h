// Handles a Wayland connection's events on the default GLib main context
// (the one wxGTK runs) whenever the compositor has sent some, and sends the
// requests written meanwhile before the loop sleeps.
#pragma once

#include <memory>

#include "platform/glib/FdSource.h"
#include "platform/wayland/WaylandConnection.h"

namespace velmo::wayland {

// Events already read into the connection's queue (by a round trip, say)
// count as waiting. A lost connection is written to stderr once and the
// source goes away; the next request then raises the error where it is made.
std::unique_ptr<FdSource> WatchConnection(WaylandConnection& connection);

}  // namespace velmo::wayland
