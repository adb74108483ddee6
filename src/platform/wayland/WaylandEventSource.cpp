#include "platform/wayland/WaylandEventSource.h"

#include <iostream>

#include "common/Errors.h"

namespace velmo::wayland {

struct WaylandEventSource::Source {
  GSource base;  // first: GLib hands us this pointer
  WaylandEventSource* owner;
  gpointer fdTag;
};

const GSourceFuncs WaylandEventSource::kFuncs = {.prepare = &WaylandEventSource::prepare,
                                                 .check = &WaylandEventSource::check,
                                                 .dispatch = &WaylandEventSource::dispatch,
                                                 .finalize = nullptr,
                                                 .closure_callback = nullptr,
                                                 .closure_marshal = nullptr};

WaylandEventSource::WaylandEventSource(WaylandConnection& connection) : connection_(connection) {
  source_ = g_source_new(const_cast<GSourceFuncs*>(&kFuncs), sizeof(Source));
  auto* source = reinterpret_cast<Source*>(source_);
  source->owner = this;
  source->fdTag = g_source_add_unix_fd(source_, wl_display_get_fd(connection_.display()), G_IO_IN);
  if (g_source_attach(source_, nullptr) == 0) {
    g_source_unref(source_);
    throw AppError("g_source_attach failed for the Wayland connection");
  }
}

WaylandEventSource::~WaylandEventSource() {
  if (!g_source_is_destroyed(source_)) g_source_destroy(source_);
  g_source_unref(source_);
}

gboolean WaylandEventSource::prepare(GSource* source, gint* timeout) {
  wl_display* display = reinterpret_cast<Source*>(source)->owner->connection_.display();
  *timeout = -1;
  // prepare_read refuses while events wait in the queue: dispatch them now.
  if (wl_display_prepare_read(display) != 0) return TRUE;
  wl_display_cancel_read(display);
  // What cannot be sent now (a full socket) goes with the next flush.
  wl_display_flush(display);
  return FALSE;
}

gboolean WaylandEventSource::check(GSource* source) {
  auto* self = reinterpret_cast<Source*>(source);
  // Hang-up and error count too: reading then reports the lost connection.
  return g_source_query_unix_fd(source, self->fdTag) != 0;
}

gboolean WaylandEventSource::dispatch(GSource* source, GSourceFunc, gpointer) {
  auto* self = reinterpret_cast<Source*>(source);
  WaylandConnection& connection = self->owner->connection_;
  const bool readable = g_source_query_unix_fd(source, self->fdTag) != 0;
  if (connection.dispatch(readable)) return G_SOURCE_CONTINUE;
  std::cerr << connection.lostText() << std::endl;
  return G_SOURCE_REMOVE;
}

}  // namespace velmo::wayland
