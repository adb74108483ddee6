#include "platform/glib/FdSource.h"

#include <utility>

#include "common/Errors.h"

namespace velmo {

struct FdSource::Source {
  GSource base;  // first: GLib hands us this pointer
  FdSource* owner;
  gpointer fdTag;
};

const GSourceFuncs FdSource::kFuncs = {.prepare = &FdSource::prepare,
                                       .check = &FdSource::check,
                                       .dispatch = &FdSource::dispatch,
                                       .finalize = nullptr,
                                       .closure_callback = nullptr,
                                       .closure_marshal = nullptr};

FdSource::FdSource(int fd, Hooks hooks, bool canRecurse, const std::string& connection)
    : hooks_(std::move(hooks)) {
  source_ = g_source_new(const_cast<GSourceFuncs*>(&kFuncs), sizeof(Source));
  auto* source = reinterpret_cast<Source*>(source_);
  source->owner = this;
  source->fdTag = g_source_add_unix_fd(source_, fd, G_IO_IN);
  g_source_set_can_recurse(source_, canRecurse);
  if (g_source_attach(source_, nullptr) == 0) {
    g_source_unref(source_);
    throw AppError("g_source_attach failed for " + connection);
  }
}

FdSource::~FdSource() {
  if (!g_source_is_destroyed(source_)) g_source_destroy(source_);
  g_source_unref(source_);
}

gboolean FdSource::prepare(GSource* source, gint* timeout) {
  *timeout = -1;
  return reinterpret_cast<Source*>(source)->owner->hooks_.queued();
}

gboolean FdSource::check(GSource* source) {
  auto* self = reinterpret_cast<Source*>(source);
  return g_source_query_unix_fd(source, self->fdTag) != 0 || self->owner->hooks_.queued();
}

gboolean FdSource::dispatch(GSource* source, GSourceFunc, gpointer) {
  auto* self = reinterpret_cast<Source*>(source);
  const bool readable = g_source_query_unix_fd(source, self->fdTag) != 0;
  return self->owner->hooks_.dispatch(readable) ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
}

}  // namespace velmo
