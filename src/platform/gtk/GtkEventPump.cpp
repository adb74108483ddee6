#include "platform/gtk/GtkEventPump.h"

#include <glib.h>

#include <algorithm>

#include "common/Errors.h"

namespace velmo {

namespace {

gboolean wakeOnce(gpointer) { return G_SOURCE_REMOVE; }

}  // namespace

void GtkEventPump::ProcessMessages() {
  // Bounded, so a source that always has work (an idle handler asking for
  // more) cannot hold the runner here for ever.
  for (int i = 0; i < 1000 && g_main_context_iteration(nullptr, FALSE); ++i) {
  }
}

// A timeout source of our own wakes the blocking iteration at the deadline
// when nothing else does. It is rounded up to whole milliseconds, so the
// wait never ends before the deadline for lack of a message.
void GtkEventPump::WaitMessages(SteadyTime until) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - now()).count();
  if (left <= 0) return;
  GSource* deadline = g_timeout_source_new(static_cast<guint>(std::min<long long>(left, G_MAXUINT)));
  g_source_set_callback(deadline, &wakeOnce, nullptr, nullptr);
  if (g_source_attach(deadline, nullptr) == 0) {
    g_source_unref(deadline);
    throw AppError("g_source_attach failed for the pause of a script");
  }
  g_main_context_iteration(nullptr, TRUE);
  g_source_destroy(deadline);
  g_source_unref(deadline);
  ProcessMessages();
}

}  // namespace velmo
