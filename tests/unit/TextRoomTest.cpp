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

TEST(TextRoomTest, ATallerLabelMovesWhatStandsBelowItInItsColumnsAndItsFrameUsesItsFreeSpace) {
  const std::vector<ControlBox> controls = {
      {8, 140, 340, 232, ControlBox::Frame},  // bottom 372
      {16, 318, 300, 20, ControlBox::Text},   // breaks into two lines
      {16, 340, 300, 20, ControlBox::Text},   // the label below it
      {252, 288, 84, 26, ControlBox::Other},  // above the label: stays
      {262, 380, 84, 26, ControlBox::Other},  // below the frame, 8 pixels from it
      {352, 330, 40, 21, ControlBox::Other},  // beside the labels: stays
  };
  const std::vector<int> heights = {232, 40, 20, 26, 26, 21};
  const Stacking stacked = MakeRoomBelow(controls, heights, 414, 2);
  EXPECT_EQ(stacked.tops, (std::vector<int>{140, 318, 360, 288, 384, 330}));
  // The frame grows by what the lower label needs beyond its 10 free pixels,
  // and the button below it keeps the gap, not its 8 pixels.
  EXPECT_EQ(stacked.heights, (std::vector<int>{242, 40, 20, 26, 26, 21}));
  EXPECT_EQ(stacked.parentHeight, 414);

  const std::vector<int> asBefore = {232, 20, 20, 26, 26, 21};
  const Stacking unchanged = MakeRoomBelow(controls, asBefore, 414, 2);
  EXPECT_EQ(unchanged.tops, (std::vector<int>{140, 318, 340, 288, 380, 330}));
  EXPECT_EQ(unchanged.heights, asBefore);
  EXPECT_EQ(unchanged.parentHeight, 414);
}

TEST(TextRoomTest, AGrowingFrameCarriesTheFrameBelowWithItsContentsAndTheParentGrows) {
  const std::vector<ControlBox> controls = {
      {8, 6, 340, 128, ControlBox::Frame},     // bottom 134
      {20, 109, 300, 20, ControlBox::Text},    // breaks into three lines
      {8, 140, 340, 232, ControlBox::Frame},   // bottom 372
      {16, 160, 228, 150, ControlBox::Other},  // in the lower frame
      {262, 380, 84, 26, ControlBox::Other},   // bottom 406
  };
  const Stacking stacked = MakeRoomBelow(controls, {128, 60, 232, 150, 26}, 414, 2);
  EXPECT_EQ(stacked.tops, (std::vector<int>{6, 109, 173, 193, 407}));
  EXPECT_EQ(stacked.heights, (std::vector<int>{165, 60, 232, 150, 26}));
  EXPECT_EQ(stacked.parentHeight, 435);

  // A label that stood below its frame's bottom before anything grew: the
  // frame and the parent hold it whole.
  const Stacking past =
      MakeRoomBelow({{8, 6, 280, 130, ControlBox::Frame}, {20, 100, 200, 40, ControlBox::Text}},
                    {130, 40}, 138, 2);
  EXPECT_EQ(past.heights, (std::vector<int>{134, 40}));
  EXPECT_EQ(past.parentHeight, 142);  // the frame kept its 2 pixels above the edge

  // A page whose contents need more room than its book has: the book grows.
  const Stacking book = MakeRoomBelow({{1, 93, 557, 284, ControlBox::Frame}}, {294}, 442, 2);
  EXPECT_EQ(book.heights, std::vector<int>{294});
  EXPECT_EQ(book.parentHeight, 442);
}

TEST(TextRoomTest, ALineNeitherStartsWithAClosingMarkNorEndsWithAnOpeningOne) {
  EXPECT_EQ(LineBreakAt(L"停止多少时间才点击一下个点击记录。", 16), 15u);  // "录。" go down together
  EXPECT_EQ(LineBreakAt(L"会自动停止的，如果有时", 6), 5u);
  EXPECT_EQ(LineBreakAt(L"获取所在的坐标,按F11", 7), 6u);  // the ASCII comma too
  EXPECT_EQ(LineBreakAt(L"点击数(点击次数", 4), 3u);       // "(" goes down with what it opens
  EXPECT_EQ(LineBreakAt(L"点击次数达到了", 4), 4u);
  EXPECT_EQ(LineBreakAt(L"点。。。", 1), 1u);  // a line keeps one character
}
