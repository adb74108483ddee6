// Handles a Wayland connection's events on the default GLib main context
// (the one wxGTK runs) whenever the compositor has sent some, and sends the
// requests written meanwhile before the loop sleeps.
#pragma once

#include <glib.h>

#include "platform/wayland/WaylandConnection.h"

namespace velmo::wayland {

// Events already read into the connection's queue (by a round trip, say)
// never make the socket readable again: the source wakes for them too. A
// lost connection is written to stderr once and the source goes away; the
// next request then raises the error where it is made.
class WaylandEventSource {
 public:
  explicit WaylandEventSource(WaylandConnection& connection);
  ~WaylandEventSource();
  WaylandEventSource(const WaylandEventSource&) = delete;
  WaylandEventSource& operator=(const WaylandEventSource&) = delete;

 private:
  struct Source;
  static gboolean prepare(GSource* source, gint* timeout);
  static gboolean check(GSource* source);
  static gboolean dispatch(GSource* source, GSourceFunc, gpointer);
  static const GSourceFuncs kFuncs;

  WaylandConnection& connection_;
  GSource* source_;
};

}  // namespace velmo::wayland
