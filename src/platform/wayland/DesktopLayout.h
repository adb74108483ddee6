// Where the outputs of a Wayland desktop lie in its layout, in the
// compositor's logical coordinates (what xdg-output reports), and how a point
// of the desktop becomes an absolute motion of a virtual pointer.
#pragma once

#include <cstdint>
#include <vector>

namespace velmo::wayland {

struct DesktopBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool empty() const { return width <= 0 || height <= 0; }
};

// The smallest box holding every non-empty box; empty when there is none.
DesktopBox BoundingBox(const std::vector<DesktopBox>& boxes);

// A motion_absolute request: the position on axes that run from 0 to the
// extents. The compositor spreads the extents over the layout's bounding box
// when the pointer is bound to no output.
struct AbsoluteMotion {
  uint32_t x = 0;
  uint32_t y = 0;
  uint32_t xExtent = 0;
  uint32_t yExtent = 0;
};

// The motion that puts the pointer on desktop point (x, y) of a layout whose
// bounding box is `bounds` (not empty). A point outside it is first moved to
// its nearest pixel inside, as SetCursorPos keeps the cursor on the screen.
AbsoluteMotion MotionTo(const DesktopBox& bounds, int x, int y);

}  // namespace velmo::wayland
