// Picking a point of the desktop by clicking it, for where the program
// cannot read the cursor (Wayland gives no client the pointer's position
// over another client's window).
#pragma once

#include <functional>
#include <optional>

#include "platform/Platform.h"

namespace velmo {

class PointPicker {
 public:
  // The point clicked, in the desktop coordinates SetCursorPos takes; none
  // when the user cancelled.
  using Done = std::function<void(std::optional<CursorPoint>)>;

  virtual ~PointPicker() = default;
  // Shows the picker and returns at once; `done` runs later on the UI
  // thread, once, from the main loop. A pick asked while one runs cancels
  // that one first. Throws AppError when the picker cannot be shown.
  virtual void pick(Done done) = 0;
};

}  // namespace velmo
