// A connection's file descriptor watched on the default GLib main context
// (the one wxGTK runs): the X connection of the hotkeys and the Wayland one.
#pragma once

#include <glib.h>

#include <functional>
#include <string>

namespace velmo {

// Besides the descriptor turning readable (hang-up and error count too:
// reading then reports the lost connection), the source wakes for events the
// connection has already read into its queue during some other round trip:
// those never make the descriptor readable again.
class FdSource {
 public:
  struct Hooks {
    // True when events wait in the connection's queue; asked before the
    // loop sleeps, so it may send what was written meanwhile.
    std::function<bool()> queued;
    // Handles what there is; `readable`: the descriptor woke the loop.
    // False removes the source.
    std::function<bool(bool readable)> dispatch;
  };

  // `canRecurse`: a handler that pumps events itself still receives them.
  // Throws AppError naming `connection` when the source cannot be attached.
  FdSource(int fd, Hooks hooks, bool canRecurse, const std::string& connection);
  ~FdSource();
  FdSource(const FdSource&) = delete;
  FdSource& operator=(const FdSource&) = delete;

 private:
  struct Source;
  static gboolean prepare(GSource* source, gint* timeout);
  static gboolean check(GSource* source);
  static gboolean dispatch(GSource* source, GSourceFunc, gpointer);
  static const GSourceFuncs kFuncs;

  Hooks hooks_;
  GSource* source_;
};

}  // namespace velmo
