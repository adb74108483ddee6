// Room for texts that come out wider than the layout planned for (a larger
// font than the one the windows were laid out for): a control pushes the
// controls to its right on its row further right, and whatever then runs past
// the edge of what holds it comes back in, a label by breaking its lines.
// Nothing moves while the texts fit.
#pragma once

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

}  // namespace velmo
