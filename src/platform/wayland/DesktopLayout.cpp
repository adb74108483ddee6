#include "platform/wayland/DesktopLayout.h"

#include <algorithm>

namespace velmo::wayland {

DesktopBox BoundingBox(const std::vector<DesktopBox>& boxes) {
  DesktopBox bounds;
  bool any = false;
  int right = 0, bottom = 0;
  for (const DesktopBox& box : boxes) {
    if (box.empty()) continue;
    if (!any) {
      bounds.x = box.x, bounds.y = box.y;
      right = box.x + box.width, bottom = box.y + box.height;
      any = true;
      continue;
    }
    bounds.x = std::min(bounds.x, box.x);
    bounds.y = std::min(bounds.y, box.y);
    right = std::max(right, box.x + box.width);
    bottom = std::max(bottom, box.y + box.height);
  }
  if (any) bounds.width = right - bounds.x, bounds.height = bottom - bounds.y;
  return bounds;
}

AbsoluteMotion MotionTo(const DesktopBox& bounds, int x, int y) {
  // Pixel p of an axis of n pixels is p/n of the way along it: the extent is
  // the size, and the last pixel is n - 1.
  const auto along = [](int value, int start, int size) {
    return static_cast<uint32_t>(std::clamp(value - start, 0, size - 1));
  };
  return {along(x, bounds.x, bounds.width), along(y, bounds.y, bounds.height),
          static_cast<uint32_t>(bounds.width), static_cast<uint32_t>(bounds.height)};
}

}  // namespace velmo::wayland
