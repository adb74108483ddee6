#include <gtest/gtest.h>

#include <set>

#include "clicker/ClickAction.h"
#include "clicker/ClickEngine.h"
#include "clicker/KeyAndHold.h"
#include "common/Errors.h"
#include "fakes/FakePlatform.h"

using namespace velmo;

namespace {

struct Panel : ClickPanelView {
  std::string button = "左键", type = "单击", x = "0", y = "0", limit = "100";
  bool fixed = false;
  std::string buttonText() override { return button; }
  std::string typeText() override { return type; }
  bool fixedPosition() override { return fixed; }
  std::string xText() override { return x; }
  std::string yText() override { return y; }
  std::string limitText() override { return limit; }
};

struct Status : StatusView {
  std::string panel[3];
  void setStatusText(int i, const std::string& text) override { panel[i] = text; }
};

struct Engine : ::testing::Test {
  fake::FakePlatform p;
  Panel panel;
  Status status;
  int owner = 0;
  ClickEngine engine{p.mouse, p.timers, &owner, panel, status, 7};
  bool tick() { return p.timers.fire(&owner, ClickTimerId); }
  size_t clicks() const { return p.log.with("mouse_event").size(); }
};

std::vector<std::string> eventsOf(const std::string& button, const std::string& type) {
  fake::Log log;
  fake::FakeMouse mouse(log);
  MouseClick(mouse, button, type);
  return log.entries;
}

}  // namespace

TEST(MouseClick, EventSequences) {
  using V = std::vector<std::string>;
  EXPECT_EQ(eventsOf("左键", "单击"), (V{"mouse_event(2)", "mouse_event(4)"}));
  EXPECT_EQ(eventsOf("左键", "双击"), (V{"mouse_event(6)", "mouse_event(6)"}));
  EXPECT_EQ(eventsOf("右键", "单击"), (V{"mouse_event(8)", "mouse_event(16)"}));
  EXPECT_EQ(eventsOf("右键", "x"), (V{"mouse_event(24)", "mouse_event(24)"}));
  EXPECT_EQ(eventsOf("左右键", "单击"), (V{"mouse_event(6)", "mouse_event(24)"}));
  EXPECT_EQ(eventsOf("左右键", "双击"),
            (V{"mouse_event(6)", "mouse_event(6)", "mouse_event(24)", "mouse_event(24)"}));
  EXPECT_EQ(eventsOf("中键", "单击"), (V{"mouse_event(32)", "mouse_event(64)"}));
  EXPECT_EQ(eventsOf("中键", "双击"), (V{"mouse_event(96)", "mouse_event(96)"}));
  EXPECT_TRUE(eventsOf("上键", "单击").empty());
}

TEST(TimeTextToInterval, PresetsAndRule) {
  const std::pair<const char*, int> presets[] = {
      {"0.001", 1}, {"0.005", 5},   {"0.010", 10},  {"0.1", 100},     {"0.2", 200},
      {"0.5", 500}, {"1", 1000},    {"2", 2000},    {"120", 120000},  {"3", 3000}};
  for (const auto& [text, ms] : presets) EXPECT_EQ(TimeTextToInterval(text, -7), ms) << text;
  EXPECT_EQ(TimeTextToInterval("0.01", 42), 42);
  EXPECT_EQ(TimeTextToInterval("1.5", 42), 42);
  EXPECT_EQ(TimeTextToInterval("0.05", 0), 0);
  EXPECT_THROW(TimeTextToInterval("abc", 0), ConvertError);
  EXPECT_THROW(TimeTextToInterval("", 0), ConvertError);
  EXPECT_EQ(TimeTextToInterval("2147483", 0), 2147483000);
  EXPECT_THROW(TimeTextToInterval("2147484", 0), ConvertError);
}

TEST(EffectiveTimerPeriod, PlatformMinimumAndNegative) {
  EXPECT_EQ(EffectiveTimerPeriod(1), 10);
  EXPECT_EQ(EffectiveTimerPeriod(0), 10);
  EXPECT_EQ(EffectiveTimerPeriod(100), 100);
  EXPECT_EQ(EffectiveTimerPeriod(-1000), 0x7FFFFFFF);
}

TEST_F(Engine, ToggleStartsAndStopsTheTimerWithStatusTexts) {
  engine.ClickInterval = 1000;
  engine.ToggleClicker();
  EXPECT_TRUE(engine.ClickerRunning);
  EXPECT_EQ(status.panel[0], "状态:点击器已经启动");
  EXPECT_EQ(p.log.with("SetTimer").back(), "SetTimer(1,1000)");
  engine.ToggleClicker();
  EXPECT_FALSE(engine.ClickerRunning);
  EXPECT_EQ(status.panel[0], "状态:点击器已经停止");
  EXPECT_FALSE(tick());
}

TEST_F(Engine, JitterDrawsEachPeriodWithinItsShareAndZeroKeepsTheFixedTimer) {
  engine.ClickInterval = 100;
  engine.ClickJitter = 30;
  engine.ToggleClicker();
  EXPECT_EQ(p.log.with("SetVaryingTimer"), std::vector<std::string>{"SetVaryingTimer(1)"});
  std::set<int> seen;
  for (int i = 0; i < 1000; ++i) seen.insert(p.timers.periods.at({&owner, ClickTimerId})());
  EXPECT_EQ(std::pair(*seen.begin(), *seen.rbegin()), std::pair(70, 130));
  EXPECT_GT(seen.size(), 50u);
  engine.ToggleClicker();
  engine.ClickJitter = 0;
  engine.ToggleClicker();
  EXPECT_EQ(p.log.with("SetTimer").back(), "SetTimer(1,100)");
}

TEST_F(Engine, RefusedTimerLeavesEverythingAsItWas) {
  p.timers.refuse = true;
  engine.ToggleClicker();
  EXPECT_FALSE(engine.ClickerRunning);
  EXPECT_EQ(status.panel[0], "");
}

TEST_F(Engine, BurstBelow100MsIs152ClicksPerTick) {
  engine.ClickInterval = 10;
  engine.ToggleClicker();
  tick();
  EXPECT_EQ(clicks(), 152u * 2);
  EXPECT_EQ(p.mouse.flushes, 1);
  engine.ClickInterval = 100;
  p.log.clear();
  tick();
  EXPECT_EQ(clicks(), 2u);
  // Where the compositor passes the clicks on, a tick sends no more presses
  // than it allows: five single clicks, two double ones.
  engine.MostPressesPerTick = 5;
  engine.ClickInterval = 10;
  p.log.clear();
  tick();
  EXPECT_EQ(clicks(), 5u * 2);
  panel.type = "双击";
  p.log.clear();
  tick();
  EXPECT_EQ(clicks(), 2u * 2);
}

TEST_F(Engine, LimitNStopsAfterNPlusOneTicks) {
  engine.ClickInterval = 1000;
  panel.limit = "3";
  engine.ToggleClicker();
  int ticks = 0;
  while (tick()) ++ticks;
  EXPECT_EQ(ticks, 4);
  EXPECT_EQ(status.panel[2], "点击次数:3");
  EXPECT_EQ(status.panel[0], "状态:点击器已经停止");
  EXPECT_EQ(engine.ClickCount, 0);
  EXPECT_FALSE(engine.ClickerRunning);
}

TEST_F(Engine, CountGoesOnAcrossHotkeyStops) {
  engine.ClickInterval = 1000;
  panel.limit = "5";
  engine.ToggleClicker();
  for (int i = 0; i < 3; ++i) tick();
  engine.ToggleClicker();
  engine.ToggleClicker();
  int ticks = 0;
  while (tick()) ++ticks;
  EXPECT_EQ(ticks, 3);  // 3 before + 3 after = limit + 1
}

TEST_F(Engine, ZeroNeverStopsButDoubleZeroStopsAfterFirstTick) {
  engine.ClickInterval = 1000;
  panel.limit = "0";
  engine.ToggleClicker();
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(tick());
  panel.limit = "00";
  EXPECT_TRUE(tick());
  EXPECT_FALSE(engine.ClickerRunning);
}

TEST_F(Engine, LimitThatIsNoNumberClicksThenStopsAndReportsOnce) {
  engine.ClickInterval = 1000;
  panel.limit = "";
  engine.ToggleClicker();
  EXPECT_THROW(tick(), ConvertError);
  EXPECT_EQ(clicks(), 2u);
  EXPECT_FALSE(engine.ClickerRunning);
  EXPECT_EQ(status.panel[0], "状态:点击器已经停止");
  EXPECT_FALSE(tick());
}

TEST_F(Engine, FixedPositionMovesFirstAndBadTextSkipsTheMove) {
  engine.ClickInterval = 1000;
  panel.fixed = true;
  panel.x = "100";
  panel.y = "200";
  engine.ToggleClicker();
  tick();
  EXPECT_EQ(p.log.entries.at(1), "SetCursorPos(100,200)");
  panel.y = "";
  p.log.clear();
  tick();
  EXPECT_TRUE(p.log.with("SetCursorPos").empty());
  EXPECT_EQ(clicks(), 2u);
}

TEST_F(Engine, LiveButtonChangeActsAtNextTick) {
  engine.ClickInterval = 1000;
  engine.ToggleClicker();
  tick();
  panel.button = "右键";
  p.log.clear();
  tick();
  EXPECT_EQ(p.log.with("mouse_event").front(), "mouse_event(8)");
}

TEST_F(Engine, FailSafeStopsOnceThePointerIsMovedMoreThan20PixelsAway) {
  EXPECT_FALSE(FailSafeTextToSwitch("0"));
  EXPECT_TRUE(FailSafeTextToSwitch("1"));
  EXPECT_THROW(FailSafeTextToSwitch("yes"), ConvertError);
  engine.ClickInterval = 1000;
  engine.ClickFailSafe = true;
  // At the cursor: measured from where it stood at the start.
  p.mouse.cursor = {100, 100};
  engine.ToggleClicker();
  p.mouse.cursor = {112, 116};  // 20 pixels away
  EXPECT_TRUE(tick());
  EXPECT_EQ(clicks(), 2u);
  p.mouse.cursor = {100, 121};
  tick();
  EXPECT_EQ(clicks(), 2u);
  EXPECT_FALSE(engine.ClickerRunning);
  EXPECT_EQ(status.panel[0], kFailSafeStoppedText);
  EXPECT_FALSE(tick());
  // At a fixed point: measured from the point, after the clicker put the pointer there.
  panel.fixed = true;
  panel.x = "500";
  panel.y = "400";
  engine.ToggleClicker();
  tick();
  EXPECT_EQ(clicks(), 4u);
  p.mouse.cursor = {530, 400};
  tick();
  EXPECT_EQ(clicks(), 4u);
  EXPECT_FALSE(engine.ClickerRunning);
}

TEST_F(Engine, HeldClickIsLetGoByItsOwnTimerWithoutBurstAndNothingStaysDownAtStop) {
  engine.ClickInterval = 10;  // a burst interval: a hold clicks once per tick instead
  engine.ClickHold = 4;
  panel.type = "双击";
  engine.ToggleClicker();
  tick();
  EXPECT_EQ(p.log.with("mouse_event"), std::vector<std::string>{"mouse_event(2)"});
  EXPECT_EQ(p.log.with("SetTimer").back(), "SetTimer(2,4)");
  EXPECT_TRUE(p.timers.fire(&owner, ClickReleaseTimerId));  // up, and down again
  EXPECT_TRUE(p.timers.fire(&owner, ClickReleaseTimerId));  // up
  EXPECT_FALSE(p.timers.running(&owner, ClickReleaseTimerId));
  EXPECT_EQ(p.log.with("mouse_event"),
            (std::vector<std::string>{"mouse_event(2)", "mouse_event(4)", "mouse_event(2)",
                                      "mouse_event(4)"}));
  // A tick that comes while the key is down lets go first; so does the stop.
  engine.ClickKey = 'A';
  p.log.clear();
  tick();
  engine.ToggleClicker();
  EXPECT_EQ(p.log.with("keybd_event"),
            (std::vector<std::string>{"keybd_event(65,0)", "keybd_event(65,2)"}));
  EXPECT_FALSE(p.timers.running(&owner, ClickReleaseTimerId));
}

TEST_F(Engine, ALockedDesktopStopsTheClickerOnceWithOneReport) {
  engine.ClickInterval = 10;
  engine.ToggleClicker();
  p.mouse.locked = true;
  try {
    tick();
    FAIL() << "a refused tick must be reported";
  } catch (const AppError& error) {
    EXPECT_EQ(std::string(error.what()),
              kInputRefusedReport + std::string("GetCursorPos failed: access is denied"));
  }
  EXPECT_FALSE(engine.ClickerRunning);
  EXPECT_EQ(status.panel[0], kInputRefusedStoppedText);
  EXPECT_FALSE(tick());
  // A held click refused at its release stops the clicker the same way.
  p.mouse.locked = false;
  engine.ClickHold = 50;
  engine.ToggleClicker();
  tick();
  p.mouse.locked = true;
  EXPECT_THROW(p.timers.fire(&owner, ClickReleaseTimerId), AppError);
  EXPECT_TRUE(p.timers.timers.empty());
  EXPECT_FALSE(engine.ClickerRunning);
}

TEST_F(Engine, NothingLandsInTheProgramItselfAndTheStatusSaysWhy) {
  engine.ClickInterval = 1000;
  p.mouse.ownWindow = {0, 0};
  p.mouse.ownWindowSize = 200;
  p.mouse.cursor = {150, 150};
  engine.ToggleClicker();
  tick();
  EXPECT_EQ(clicks(), 0u);
  EXPECT_EQ(status.panel[0], kOwnWindowSkippedText);
  // A fixed point is judged where the clicker puts the pointer.
  panel.fixed = true;
  panel.x = "300";
  tick();
  EXPECT_EQ(clicks(), 2u);
  EXPECT_EQ(status.panel[0], kStartedText);
  // Nor in a program run as administrator: the system would drop the clicks.
  p.mouse.elevatedFromX = 300;
  tick();
  EXPECT_EQ(clicks(), 2u);
  EXPECT_EQ(status.panel[0], kElevatedSkippedText);
  p.mouse.elevatedFromX = 1 << 30;
  // Keys go to the focus, wherever the pointer is.
  engine.ClickKey = ' ';
  p.mouse.ownFocus = true;
  tick();
  EXPECT_TRUE(p.log.with("keybd_event").empty());
  EXPECT_EQ(status.panel[0], kOwnFocusSkippedText);
  p.mouse.ownFocus = false;
  tick();
  EXPECT_EQ(p.log.with("keybd_event").size(), 2u);
  EXPECT_EQ(engine.ClickCount, 2);
}

TEST(KeyAndHold, NamesHoldBoundsAndTheRulesOfASave) {
  EXPECT_EQ(KeyNameToVk(""), std::nullopt);
  for (const std::string& name : ClickKeyNames()) EXPECT_TRUE(KeyNameToVk(name)) << name;
  EXPECT_EQ(ClickKeyNames().size(), 2u + 26 + 10 + 12);
  EXPECT_EQ(KeyNameToVk("Space"), 0x20u);
  EXPECT_EQ(KeyNameToVk("F12"), 123u);
  EXPECT_THROW(KeyNameToVk("a"), ConvertError);
  EXPECT_THROW(KeyNameToVk("F13"), ConvertError);
  EXPECT_EQ(HoldTextToMs("10000"), 10000);
  EXPECT_THROW(HoldTextToMs("10001"), ConvertError);
  EXPECT_THROW(HoldTextToMs("-1"), ConvertError);
  // The hold must end before the shortest period the jitter can draw; below
  // the timer's 10 ms a hold lasts 10 ms.
  EXPECT_TRUE(HoldFitsInterval(99, false, 100, 0));
  EXPECT_FALSE(HoldFitsInterval(100, false, 100, 0));
  EXPECT_FALSE(HoldFitsInterval(50, true, 100, 0));
  EXPECT_FALSE(HoldFitsInterval(70, false, 100, 30));
  EXPECT_FALSE(HoldFitsInterval(1, false, 10, 0));
  EXPECT_TRUE(HoldFitsInterval(0, true, 1, 0));
  EXPECT_TRUE(IsKeyOfHotkeys(114, {"Ctrl+Alt+F3"}));
  EXPECT_TRUE(IsKeyOfHotkeys(117, {"bad", "F6"}));
  EXPECT_FALSE(IsKeyOfHotkeys('A', {"Ctrl+F3", "F6", ""}));
}
