// Handling of pending messages for the script runner. It iterates the GLib
// main context directly, because wx's Yield refuses to nest and runs nest.
#pragma once

#include "platform/Platform.h"

namespace velmo {

class GtkEventPump : public EventPump {
 public:
  void ProcessMessages() override;
  void WaitMessages(SteadyTime until) override;
  SteadyTime now() override { return std::chrono::steady_clock::now(); }
};

}  // namespace velmo
