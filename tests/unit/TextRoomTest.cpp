// Room for texts a larger font made wider: row neighbours pushed right, what
// runs past its frame brought back in.
#include <gtest/gtest.h>

#include "common/TextRoom.h"

using namespace velmo;

namespace {

std::vector<int> lefts(const std::vector<Placement>& placed) {
  std::vector<int> result;
  for (const Placement& p : placed) result.push_back(p.left);
  return result;
}

}  // namespace

TEST(TextRoomTest, WiderTextsPushTheirRowToTheRightAndFittingOnesMoveNothing) {
  const std::vector<ControlBox> row = {
      {100, 20, 40, 21, ControlBox::Other},  // a field
      {60, 23, 45, 17, ControlBox::Text},    // its label, 7 pixels too wide with the gap
      {150, 20, 30, 21, ControlBox::Other},  // the next field, 8 pixels after the first
      {10, 50, 200, 17, ControlBox::Text},   // a row below: left alone
      {0, 0, 300, 100, ControlBox::Frame},   // the frame they stand on: never pushed
  };
  EXPECT_EQ(lefts(MakeRoomForText(row, 400, 2)), (std::vector<int>{107, 60, 150, 10, 0}));

  std::vector<ControlBox> wider = row;
  wider[0].width = 50;  // the pushed field now reaches the next one: the push goes on
  EXPECT_EQ(lefts(MakeRoomForText(wider, 400, 2)), (std::vector<int>{107, 60, 159, 10, 0}));

  std::vector<ControlBox> fitting = row;
  fitting[1].width = 38;
  const std::vector<Placement> placed = MakeRoomForText(fitting, 400, 2);
  EXPECT_EQ(lefts(placed), (std::vector<int>{100, 60, 150, 10, 0}));
  for (const Placement& p : placed) EXPECT_EQ(p.wrapWidth, 0);
}

TEST(TextRoomTest, WhatRunsPastItsFrameComesBackLabelsByBreakingTheirLines) {
  const std::vector<ControlBox> controls = {
      {4, 4, 300, 190, ControlBox::Frame},
      {45, 150, 280, 17, ControlBox::Text},   // past the frame's right edge (304)
      {250, 10, 80, 17, ControlBox::Other},   // starts on the frame, ends past it
      {320, 200, 60, 17, ControlBox::Other},  // on the parent alone, past its edge (360)
  };
  const std::vector<Placement> placed = MakeRoomForText(controls, 360, 2);
  EXPECT_EQ(placed[1].left, 45);
  EXPECT_EQ(placed[1].wrapWidth, 304 - 2 - 45);
  EXPECT_EQ(placed[2].left, 304 - 2 - 80);
  EXPECT_EQ(placed[2].wrapWidth, 0);
  EXPECT_EQ(placed[3].left, 360 - 2 - 60);
}
