#include "scripts/EndGate.h"

namespace velmo {

bool EndGate::admit(EndKind kind) {
  if (runs_ == 0) return true;
  if (!held_ || kind == EndKind::Terminate) held_ = kind;
  return false;
}

std::optional<EndKind> EndGate::runEnded() {
  if (runs_ > 0) --runs_;
  if (runs_ > 0) return std::nullopt;
  const std::optional<EndKind> held = held_;
  held_.reset();
  return held;
}

}  // namespace velmo
