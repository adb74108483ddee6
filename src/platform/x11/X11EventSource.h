// Runs a drain function on the default GLib main context (the one wxGTK
// runs) whenever an X connection has events to read.
#pragma once

#include <X11/Xlib.h>
#include <glib.h>

#include <functional>

namespace velmo::x11 {

// Besides the connection's file descriptor, the source also wakes for events
// Xlib has already read into its queue during some other round trip (an
// XSync around a grab): those never make the descriptor readable again.
//
// The source may recurse: a handler that pumps events (the script runner
// does, to let its stop hotkey in) still receives presses.
class X11EventSource {
 public:
  X11EventSource(Display* display, std::function<void()> drain);
  ~X11EventSource();
  X11EventSource(const X11EventSource&) = delete;
  X11EventSource& operator=(const X11EventSource&) = delete;

 private:
  struct Source;
  static gboolean prepare(GSource* source, gint* timeout);
  static gboolean check(GSource* source);
  static gboolean dispatch(GSource* source, GSourceFunc, gpointer);
  static const GSourceFuncs kFuncs;

  Display* display_;
  std::function<void()> drain_;
  GSource* source_;
};

}  // namespace velmo::x11
