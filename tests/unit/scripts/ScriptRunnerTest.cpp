#include <gtest/gtest.h>

#include "clicker/ClickAction.h"
#include "common/Errors.h"
#include "common/Texts.h"
#include "fakes/FakePlatform.h"
#include "scripts/ScriptRunner.h"

using namespace velmo;
using V = std::vector<std::string>;

namespace {

// Logs flushes too: a click must reach the system before the pause starts.
struct FlushLoggingMouse : fake::FakeMouse {
  explicit FlushLoggingMouse(fake::Log& log) : FakeMouse(log), log_(log) {}
  void flush() override { log_.add("flush"); }
  fake::Log& log_;
};

struct Rows : ScriptRows {
  struct Row {
    std::string id, points, loops;
  };
  std::vector<Row> rows;
  int rowCount() override { return static_cast<int>(rows.size()); }
  std::string idText(int row) override { return rows.at(row).id; }
  std::string pointsText(int row) override { return rows.at(row).points; }
  std::string loopCountText(int row) override { return rows.at(row).loops; }
};

struct Runner : ::testing::Test {
  fake::FakePlatform p;
  FlushLoggingMouse mouse{p.log};
  std::string stopRequested;
  int mainWindow = 0;
  ScriptRunner runner{mouse, p.pump, p.boxes, &mainWindow, stopRequested};
  const V& log() const { return p.log.entries; }
};

const std::string kTwoPoints = "100,200,左键单击,20|-300,-400,无点击,1000|";
const V kTwoPointsPass = {"ProcessMessages", "SetCursorPos(100,200)", "flush",
                          "mouse_event(2)",  "mouse_event(4)",        "flush",
                          "Wait(20)",        "ProcessMessages",       "SetCursorPos(-300,-400)",
                          "flush",           "flush",                 "Wait(1000)",
                          "Wait(800)"};

V repeat(const V& pass, int times) {
  V out;
  for (int i = 0; i < times; ++i) out.insert(out.end(), pass.begin(), pass.end());
  return out;
}

std::vector<std::string> eventsOf(const std::string& action) {
  fake::Log log;
  fake::FakeMouse mouse(log);
  PerformClickAction(mouse, action);
  return log.entries;
}

}  // namespace

TEST(PerformClickAction, EventsPerAction) {
  EXPECT_EQ(eventsOf("左键单击"), (V{"mouse_event(2)", "mouse_event(4)"}));
  EXPECT_EQ(eventsOf("左键双击"), (V{"mouse_event(6)", "mouse_event(6)"}));
  EXPECT_EQ(eventsOf("右键单击"), (V{"mouse_event(8)", "mouse_event(16)"}));
  EXPECT_EQ(eventsOf("右键双击"), (V{"mouse_event(24)", "mouse_event(24)"}));
  EXPECT_TRUE(eventsOf("无点击").empty());
  EXPECT_TRUE(eventsOf("左键单击 ").empty());
}

TEST_F(Runner, PassesVisitPointsInOrderWithPassPause) {
  runner.RunScript(kTwoPoints, 2);
  EXPECT_EQ(log(), repeat(kTwoPointsPass, 2));
  EXPECT_EQ(p.pump.clock.time_since_epoch(), 2 * std::chrono::milliseconds(20 + 1000 + 800));
  EXPECT_TRUE(p.boxes.shown.empty());
}

TEST_F(Runner, MessagesDuringAPauseDoNotShortenIt) {
  // A click tick 7 ms into the first pause, another 300 ms into the second.
  p.pump.onWait = [&](int call) {
    if (call == 1) p.pump.wakeAfter = std::chrono::milliseconds(7);
    if (call == 3) p.pump.wakeAfter = std::chrono::milliseconds(300);
  };
  runner.RunScript(kTwoPoints, 1);
  V expected = kTwoPointsPass;
  expected.insert(expected.begin() + 7, "Wait(13)");
  expected.insert(expected.begin() + 13, "Wait(700)");
  EXPECT_EQ(log(), expected);
  EXPECT_EQ(p.pump.clock.time_since_epoch(), std::chrono::milliseconds(20 + 1000 + 800));
}

TEST_F(Runner, LoopCountBelowOneRunsNothing) {
  runner.RunScript(kTwoPoints, 0);
  runner.RunScript(kTwoPoints, -3);
  EXPECT_TRUE(log().empty());
}

TEST_F(Runner, PendingStopEndsTheRunBeforeTheFirstPoint) {
  stopRequested = "1";
  p.boxes.onShow = [&](const fake::ShownBox&) { EXPECT_EQ(stopRequested, "1"); };
  runner.RunScript(kTwoPoints, 5);
  EXPECT_EQ(log(), (V{"ProcessMessages", std::string("MessageBoxA(") + kScriptStoppedText + ")"}));
  ASSERT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_EQ(p.boxes.shown[0].owner, nullptr);
  EXPECT_EQ(p.boxes.shown[0].caption, kMainCaption);
  EXPECT_EQ(p.boxes.shown[0].flags, kMbIconInformation);
  EXPECT_EQ(stopRequested, "0");
}

TEST_F(Runner, StopDuringAPauseEndsTheRunAtOnce) {
  // F6 5 ms into a pause of an hour.
  p.pump.onWait = [&](int call) {
    if (call != 1) return;
    stopRequested = "1";
    p.pump.wakeAfter = std::chrono::milliseconds(5);
  };
  runner.RunScript("1,1,左键单击,3600000|2,2,左键单击,20|", 3);
  EXPECT_EQ(log(), (V{"ProcessMessages", "SetCursorPos(1,1)", "flush", "mouse_event(2)",
                      "mouse_event(4)", "flush", "Wait(3600000)",
                      std::string("MessageBoxA(") + kScriptStoppedText + ")"}));
  EXPECT_EQ(p.pump.clock.time_since_epoch(), std::chrono::milliseconds(5));
  EXPECT_EQ(stopRequested, "0");
}

TEST_F(Runner, StopDuringTheLastPassPauseIsTakenByThisRun) {
  p.pump.onWait = [&](int call) { if (call == 3) stopRequested = "1"; };
  runner.RunScript(kTwoPoints, 1);
  V expected = kTwoPointsPass;
  expected.push_back(std::string("MessageBoxA(") + kScriptStoppedText + ")");
  EXPECT_EQ(log(), expected);
  EXPECT_EQ(stopRequested, "0");
}

TEST_F(Runner, FaultyEntryEndsTheRunAtTheRightStep) {
  const std::string error = std::string("MessageBoxA(") + kScriptErrorText + ")";
  const std::pair<const char*, V> cases[] = {
      {"abc,200,左键单击,20|", V{}},                      // bad x: no move
      {"100|", V{}},                                      // missing y: no move
      {"100,200|", V{"SetCursorPos(100,200)", "flush"}},  // missing action: moved
      {"100,200,左键单击|",                                // missing interval: clicked
       V{"SetCursorPos(100,200)", "flush", "mouse_event(2)", "mouse_event(4)", "flush"}},
      {"100,200,左键单击,2 0|",                            // "0" alone is an entry
       V{"SetCursorPos(100,200)", "flush", "mouse_event(2)", "mouse_event(4)", "flush",
         "Wait(2)", "ProcessMessages"}},
  };
  for (const auto& [points, steps] : cases) {
    p.log.clear();
    p.boxes.shown.clear();
    runner.RunScript(std::string(points) + "1,1,左键单击,1|", 3);
    V expected = {"ProcessMessages"};
    expected.insert(expected.end(), steps.begin(), steps.end());
    expected.push_back(error);
    EXPECT_EQ(log(), expected) << points;
    ASSERT_EQ(p.boxes.shown.size(), 1u);
    EXPECT_EQ(p.boxes.shown[0].owner, &mainWindow);
    EXPECT_EQ(p.boxes.shown[0].caption, kMainCaption);
    EXPECT_EQ(p.boxes.shown[0].flags, kMbIconInformation);
  }
}

TEST_F(Runner, ALockedDesktopEndsTheRunWithItsOwnMessage) {
  mouse.locked = true;
  runner.RunScript(kTwoPoints, 3);
  EXPECT_EQ(log(), (V{"ProcessMessages", std::string("MessageBoxA(") + kScriptInputRefusedText + ")"}));
}

TEST_F(Runner, NegativePauseWaitsNothing) {
  runner.RunScript("1,2,无点击,-5|", 1);
  EXPECT_EQ(log(), (V{"ProcessMessages", "SetCursorPos(1,2)", "flush", "flush", "Wait(800)"}));
}

TEST_F(Runner, ScriptWithoutPointsStillAnswersTheStopHotkey) {
  runner.RunScript("", 2);
  EXPECT_EQ(log(), (V{"ProcessMessages", "Wait(800)", "ProcessMessages", "Wait(800)"}));
  p.log.clear();
  p.pump.onProcess = [&](int call) { if (call == 4) stopRequested = "1"; };
  runner.RunScript("", 1000000);
  EXPECT_EQ(log(), (V{"ProcessMessages", "Wait(800)", "ProcessMessages",
                      std::string("MessageBoxA(") + kScriptStoppedText + ")"}));
}

TEST_F(Runner, ByHotkeyIdRunsTheFirstExactMatch) {
  Rows rows;
  rows.rows = {{"1", "1,1,无点击,1|", "1"}, {"12", "12,12,无点击,1|", "1"},
               {"12", "99,99,无点击,1|", "1"}, {"7", "7,7,无点击,1|", "x"}};
  runner.RunScriptByHotkeyId("12", rows);
  EXPECT_EQ(p.log.with("SetCursorPos"), V{"SetCursorPos(12,12)"});
  p.log.clear();
  runner.RunScriptByHotkeyId("012", rows);
  runner.RunScriptByHotkeyId("1108", rows);
  EXPECT_TRUE(log().empty());
  EXPECT_THROW(runner.RunScriptByHotkeyId("7", rows), ConvertError);
  EXPECT_TRUE(log().empty());
}

TEST_F(Runner, RunKeepsItsOwnCopyOfThePoints) {
  Rows rows;
  rows.rows = {{"3", "1,1,无点击,1|", "2"}};
  p.pump.onProcess = [&](int) { rows.rows[0].points = "9,9,无点击,1|"; };
  runner.RunScriptByHotkeyId("3", rows);
  EXPECT_EQ(p.log.with("SetCursorPos"), (V{"SetCursorPos(1,1)", "SetCursorPos(1,1)"}));
}

TEST_F(Runner, NestedRunTakesTheStopAndTheOuterRunGoesOn) {
  Rows rows;
  rows.rows = {{"5", "50,50,无点击,1|51,51,无点击,1|", "1"}, {"7", "70,70,无点击,1|", "1"}};
  p.pump.onProcess = [&](int call) {
    if (call == 1) runner.RunScriptByHotkeyId("7", rows);  // a second hotkey arrives
    if (call == 3) runner.RunScriptByHotkeyId("7", rows);
    if (call == 4) stopRequested = "1";                      // stop during the nested run
  };
  runner.RunScriptByHotkeyId("5", rows);
  EXPECT_EQ(p.log.with("SetCursorPos"),
            (V{"SetCursorPos(70,70)", "SetCursorPos(50,50)", "SetCursorPos(51,51)"}));
  EXPECT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_EQ(stopRequested, "0");
  EXPECT_EQ(log().back(), "Wait(800)");
}
