#include "platform/gtk/GtkEventPump.h"

#include <glib.h>

#include <chrono>
#include <thread>

namespace velmo {

void GtkEventPump::ProcessMessages() {
  // Bounded, so a source that always has work (an idle handler asking for
  // more) cannot hold the runner here for ever.
  for (int i = 0; i < 1000 && g_main_context_iteration(nullptr, FALSE); ++i) {
  }
}

void GtkEventPump::Sleep(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace velmo
