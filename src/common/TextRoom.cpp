#include "common/TextRoom.h"

#include <algorithm>
#include <numeric>

namespace velmo {

namespace {

bool holds(const ControlBox& frame, const ControlBox& control) {
  return frame.kind == ControlBox::Frame && &frame != &control && frame.left <= control.left &&
         control.left < frame.right() && frame.top <= control.top && control.top < frame.bottom();
}

bool sameRow(const ControlBox& a, const ControlBox& b) {
  return a.top < b.bottom() && b.top < a.bottom();
}

}  // namespace

std::vector<Placement> MakeRoomForText(const std::vector<ControlBox>& controls, int parentWidth,
                                       int gap) {
  std::vector<Placement> placed(controls.size());
  for (size_t i = 0; i < controls.size(); ++i) placed[i].left = controls[i].left;
  std::vector<size_t> order(controls.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return controls[a].left < controls[b].left; });

  // Left to right, so that a pushed control pushes in its turn.
  for (size_t a = 0; a < order.size(); ++a) {
    const ControlBox& pusher = controls[order[a]];
    if (pusher.kind == ControlBox::Frame) continue;
    for (size_t b = a + 1; b < order.size(); ++b) {
      const ControlBox& pushed = controls[order[b]];
      if (pushed.kind == ControlBox::Frame || !sameRow(pusher, pushed)) continue;
      const int overlap = placed[order[a]].left + pusher.width + gap - placed[order[b]].left;
      if (overlap > 0) placed[order[b]].left += overlap;
    }
  }

  // Back inside the innermost frame that holds the control, or the parent.
  for (size_t i = 0; i < controls.size(); ++i) {
    const ControlBox& control = controls[i];
    if (control.kind == ControlBox::Frame) continue;
    int edge = parentWidth;
    for (const ControlBox& frame : controls) {
      if (holds(frame, control)) edge = std::min(edge, frame.right());
    }
    const int excess = placed[i].left + control.width + gap - edge;
    if (excess <= 0) continue;
    if (control.kind == ControlBox::Text) placed[i].wrapWidth = control.width - excess;
    else placed[i].left = std::max(0, placed[i].left - excess);
  }
  return placed;
}

}  // namespace velmo
