#include "platform/x11/X11EventSource.h"

#include <utility>

#include "common/Errors.h"

namespace velmo::x11 {

struct X11EventSource::Source {
  GSource base;  // first: GLib hands us this pointer
  X11EventSource* owner;
  gpointer fdTag;
};

const GSourceFuncs X11EventSource::kFuncs = {.prepare = &X11EventSource::prepare,
                                             .check = &X11EventSource::check,
                                             .dispatch = &X11EventSource::dispatch,
                                             .finalize = nullptr,
                                             .closure_callback = nullptr,
                                             .closure_marshal = nullptr};

X11EventSource::X11EventSource(Display* display, std::function<void()> drain)
    : display_(display), drain_(std::move(drain)) {
  source_ = g_source_new(const_cast<GSourceFuncs*>(&kFuncs), sizeof(Source));
  auto* source = reinterpret_cast<Source*>(source_);
  source->owner = this;
  source->fdTag = g_source_add_unix_fd(source_, ConnectionNumber(display_), G_IO_IN);
  g_source_set_can_recurse(source_, TRUE);
  if (g_source_attach(source_, nullptr) == 0) {
    g_source_unref(source_);
    throw AppError("g_source_attach failed for the X connection of the hotkeys");
  }
}

X11EventSource::~X11EventSource() {
  g_source_destroy(source_);
  g_source_unref(source_);
}

gboolean X11EventSource::prepare(GSource* source, gint* timeout) {
  *timeout = -1;
  return XQLength(reinterpret_cast<Source*>(source)->owner->display_) > 0;
}

gboolean X11EventSource::check(GSource* source) {
  auto* self = reinterpret_cast<Source*>(source);
  // Hang-up and error count too: reading then lets Xlib report the lost
  // connection instead of the loop polling a dead descriptor forever.
  if (g_source_query_unix_fd(source, self->fdTag) != 0) return TRUE;
  return XQLength(self->owner->display_) > 0;
}

gboolean X11EventSource::dispatch(GSource* source, GSourceFunc, gpointer) {
  reinterpret_cast<Source*>(source)->owner->drain_();
  return G_SOURCE_CONTINUE;
}

}  // namespace velmo::x11
