// Room for texts that come out wider than the layout planned for (a larger
// font than the one the windows were laid out for): a control pushes the
// controls to its right on its row further right, and whatever then runs past
// the edge of what holds it comes back in, a label by breaking its lines.
// A label that broke its lines stands taller: what stands below it moves down
// and what holds it grows, so far as the free space there does not take it.
// Nothing moves while the texts fit.
#pragma once

#include <string>
#include <vector>

namespace velmo {

struct ControlBox {
  enum Kind { Text, Frame, Other };  // Frame: holds the controls standing on it
  int left = 0, top = 0, width = 0, height = 0;
  Kind kind = Other;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
};

struct Placement {
  int left = 0;
  int wrapWidth = 0;  // a label breaks its lines at this width; 0: as it is
};

// Placements for sibling `controls` inside a parent `parentWidth` wide, with
// at least `gap` pixels between neighbours and before an edge.
std::vector<Placement> MakeRoomForText(const std::vector<ControlBox>& controls, int parentWidth,
                                       int gap);

struct Stacking {
  std::vector<int> tops, heights;  // one of each per control
  int parentHeight = 0;
};

// Tops and heights for sibling `controls` (at the lefts and widths they have
// now) when each needs the height `heights` gives it: a label whose lines
// broke, a frame whose contents need more room than it has. A control moves
// down with the frames that hold it, and below what grew above it in its
// columns: clear of it, and far enough to keep `gap` free, or the distance
// it kept before when that was less. Frames, and the parent `parentHeight`
// high, grow by the same rule to hold what they hold.
Stacking MakeRoomBelow(const std::vector<ControlBox>& controls, const std::vector<int>& heights,
                       int parentHeight, int gap);

// Where a line holding at most `fits` characters of `text` (1 <= fits <
// text.size()) ends, so that no line starts with a closing mark ("，", "。",
// ")" and their kin) nor ends with an opening one: those go with their
// neighbour, as long as the line keeps one character.
size_t LineBreakAt(const std::wstring& text, size_t fits);

}  // namespace velmo
