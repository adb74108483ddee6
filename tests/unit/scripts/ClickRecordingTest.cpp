#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "scripts/ClickRecording.h"

using namespace velmo;

namespace {

MousePress left(int x, int y, long long ms) { return {false, {x, y}, ms}; }
MousePress right(int x, int y, long long ms) { return {true, {x, y}, ms}; }

struct Recording : ::testing::Test {
  fake::Log log;
  fake::FakeMouse mouse{log};
  ClickRecording recording{mouse, 400};
};

}  // namespace

TEST_F(Recording, EachClickIsAPointPausedUntilTheNext) {
  for (const MousePress& press : {left(10, 20, 5000), right(-30, 40, 6500), left(10, 20, 6900)})
    recording.press(press);
  const std::vector<PointRow> expected = {
      {"10,20", "左键单击", "1500"}, {"-30,40", "右键单击", "400"}, {"10,20", "左键单击", "1000"}};
  EXPECT_EQ(EncodePointList(recording.points()), EncodePointList(expected));
}

TEST_F(Recording, ASecondPressWithinTheDoubleClickTimeMakesADoubleClick) {
  for (const MousePress& press : {left(100, 100, 0), left(102, 99, 400),  // double
                                   left(102, 99, 700),                      // a third: new point
                                   right(300, 300, 1000), left(300, 300, 1100),  // other button
                                   right(500, 500, 2000), right(500, 500, 2401)})  // too late
    recording.press(press);
  std::vector<std::string> actions;
  for (const PointRow& row : recording.points()) actions.push_back(row.action);
  EXPECT_EQ(actions, (std::vector<std::string>{"左键双击", "左键单击", "右键单击", "左键单击",
                                               "右键单击", "右键单击"}));
  EXPECT_EQ(recording.points()[0].interval, "700");
}

TEST_F(Recording, PressesFarApartAreTwoClicks) {
  recording.press(left(100, 100, 0));
  recording.press(left(105, 100, 100));
  EXPECT_EQ(recording.points().size(), 2u);
}

TEST_F(Recording, ClicksOnTheProgramsOwnWindowsAreDropped) {
  mouse.ownWindow = {0, 0};
  mouse.ownWindowSize = 50;
  for (const MousePress& press : {left(10, 10, 0), left(60, 60, 100), left(10, 10, 200),
                                   right(70, 70, 900)})
    recording.press(press);
  const std::vector<PointRow> expected = {{"60,60", "左键单击", "800"},
                                          {"70,70", "右键单击", "1000"}};
  EXPECT_EQ(EncodePointList(recording.points()), EncodePointList(expected));
}

TEST(RecordingEndKeys, EscAndTheStopHotkey) {
  const auto keys = RecordingEndKeys("Ctrl+F6");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].vk, kVkEscape);
  EXPECT_EQ(keys[1].modifiers, kModControl);
  EXPECT_EQ(keys[1].vk, 117u);
  EXPECT_EQ(RecordingEndKeys("Fx").size(), 1u);  // names no key: Esc alone
}
