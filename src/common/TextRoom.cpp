#include "common/TextRoom.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <optional>
#include <string_view>

namespace velmo {

namespace {

bool holds(const ControlBox& frame, const ControlBox& control) {
  return frame.kind == ControlBox::Frame && &frame != &control && frame.left <= control.left &&
         control.left < frame.right() && frame.top <= control.top && control.top < frame.bottom();
}

bool sameRow(const ControlBox& a, const ControlBox& b) {
  return a.top < b.bottom() && b.top < a.bottom();
}

bool sameColumn(const ControlBox& a, const ControlBox& b) {
  return a.left < b.right() && b.left < a.right();
}

// Whether a grown `upper` can push `lower` down: `upper` stands above it in
// its columns, a frame wholly, another control with at least its upper half
// (a label beside a field, a little lower, stands on the field's row).
bool pushes(const ControlBox& upper, const ControlBox& lower) {
  if (!sameColumn(upper, lower) || holds(upper, lower) || holds(lower, upper)) return false;
  if (upper.kind == ControlBox::Frame) return upper.bottom() <= lower.top;
  return upper.top < lower.top && 2 * upper.top + upper.height <= 2 * lower.top;
}

// How far `edge` moves down when a bottom above it went from `before` to
// `after`: past the bottom, and by enough to keep `gap` free, or the distance
// there was when that was less.
int room(int before, int after, int edge, int gap) {
  return std::max(after - edge, std::max(0, after + gap - edge) - std::max(0, before + gap - edge));
}

// The downward moves and new bottoms of MakeRoomBelow, each worked out once,
// from the controls above it and the frames that hold it. A control's move
// depends only on controls further up and on the tops of the frames holding
// it, so the recursion ends; `busy` cuts the loops that only frames
// overlapping one another could make.
class Stacker {
 public:
  Stacker(const std::vector<ControlBox>& controls, const std::vector<int>& heights, int gap)
      : controls_(controls),
        heights_(heights),
        gap_(gap),
        shifts_(controls.size()),
        bottoms_(controls.size()) {}

  int shift(size_t i) {
    return once(shifts_, i, 0, [&] {
      int moved = 0;
      for (size_t j = 0; j < controls_.size(); ++j) {
        if (j == i) continue;
        if (holds(controls_[j], controls_[i])) moved = std::max(moved, shift(j));
        else if (pushes(controls_[j], controls_[i]))
          moved = std::max(moved, room(controls_[j].bottom(), bottom(j), controls_[i].top, gap_));
      }
      return moved;
    });
  }

  int bottom(size_t i) {
    const ControlBox& control = controls_[i];
    return once(bottoms_, i, control.bottom(), [&] {
      int lowest = control.top + shift(i) + heights_[i];
      if (control.kind != ControlBox::Frame) return lowest;
      for (size_t j = 0; j < controls_.size(); ++j) {
        if (j != i && holds(control, controls_[j]))
          lowest = std::max(lowest, control.bottom() + room(controls_[j].bottom(), bottom(j),
                                                            control.bottom(), gap_));
      }
      return lowest;
    });
  }

 private:
  struct Memo {
    explicit Memo(size_t size) : values(size), busy(size, false) {}
    std::vector<std::optional<int>> values;
    std::vector<bool> busy;
  };

  static int once(Memo& memo, size_t i, int inLoop, const std::function<int()>& work) {
    if (memo.values[i]) return *memo.values[i];
    if (memo.busy[i]) return inLoop;
    memo.busy[i] = true;
    memo.values[i] = work();
    memo.busy[i] = false;
    return *memo.values[i];
  }

  const std::vector<ControlBox>& controls_;
  const std::vector<int>& heights_;
  int gap_;
  Memo shifts_, bottoms_;
};

bool closing(wchar_t c) {
  return std::wstring_view(L"，。、；：？！）》」』】,.;:?!)").find(c) != std::wstring_view::npos;
}
bool opening(wchar_t c) {
  return std::wstring_view(L"（《「『【(").find(c) != std::wstring_view::npos;
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

Stacking MakeRoomBelow(const std::vector<ControlBox>& controls, const std::vector<int>& heights,
                       int parentHeight, int gap) {
  Stacker stacker(controls, heights, gap);
  Stacking stacking;
  stacking.parentHeight = parentHeight;
  for (size_t i = 0; i < controls.size(); ++i) {
    const int top = controls[i].top + stacker.shift(i);
    const int bottom = stacker.bottom(i);
    stacking.tops.push_back(top);
    stacking.heights.push_back(bottom - top);
    stacking.parentHeight =
        std::max(stacking.parentHeight,
                 parentHeight + room(controls[i].bottom(), bottom, parentHeight, gap));
  }
  return stacking;
}

size_t LineBreakAt(const std::wstring& text, size_t fits) {
  size_t end = fits;
  while (end > 1 && (closing(text[end]) || opening(text[end - 1]))) --end;
  return end;
}

}  // namespace velmo
