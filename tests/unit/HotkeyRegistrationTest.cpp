#include <gtest/gtest.h>

#include "common/Errors.h"
#include "fakes/FakePlatform.h"
#include "hotkeys/HotkeyRegistrar.h"
#include "hotkeys/HotkeyText.h"

using namespace velmo;

namespace {

struct Sink : HotkeySink {
  std::vector<int> ids;
  void WMHotKey(int id) override { ids.push_back(id); }
};

struct Registration : ::testing::Test {
  fake::FakePlatform p;
  Sink main;
  HotkeyRegistrar reg{p.hotkeys, p.boxes, &main, &main};
};

}  // namespace

TEST_F(Registration, ClickHotkeyModifiersMapToFlags) {
  const std::pair<const char*, unsigned> cases[] = {
      {"无", 0}, {"Ctrl", kModControl}, {"Alt", kModAlt}, {"Ctrl+Alt", kModControl | kModAlt}};
  for (const auto& [modifier, flags] : cases) {
    p.log.clear();
    EXPECT_TRUE(reg.RegisterClickHotkey(modifier, "F3"));
    EXPECT_EQ(p.log.entries,
              (std::vector<std::string>{"UnregisterHotKey(1008)",
                                        "RegisterHotKey(1008," + std::to_string(flags) + ",114)=1"}));
  }
}

TEST_F(Registration, UnknownModifierRegistersNothingYetSucceeds) {
  EXPECT_TRUE(reg.RegisterClickHotkey("Shift", "F3"));
  EXPECT_TRUE(p.log.with("RegisterHotKey").empty());
  EXPECT_TRUE(p.boxes.shown.empty());
}

TEST_F(Registration, ConflictShowsMessageReleasesIdAndPicksIcon) {
  p.grabber.heldElsewhere = {{kModControl, 116}, {kModAlt, 116}};
  ASSERT_TRUE(reg.RegisterClickHotkey("Ctrl", "F3"));
  EXPECT_FALSE(reg.RegisterClickHotkey("Ctrl", "F5"));
  ASSERT_EQ(p.boxes.shown.size(), 1u);
  EXPECT_EQ(p.boxes.shown[0].text, "您设置的热键与其他程序的热键冲突,请选择过热键.");
  EXPECT_EQ(p.boxes.shown[0].caption, "Velmo鼠标自动点击器提示");
  EXPECT_EQ(p.boxes.shown[0].flags, kMbIconWarning);
  // The old Ctrl+F3 is gone too: the id was released before the attempt.
  EXPECT_TRUE(p.grabber.grabbed.empty());

  EXPECT_FALSE(reg.RegisterClickHotkey("Alt", "F5"));
  EXPECT_EQ(p.boxes.shown[1].flags, kMbIconInformation);
}

TEST_F(Registration, BadKeyTextRaisesBeforeReleasing) {
  ASSERT_TRUE(reg.RegisterClickHotkey("Ctrl", "F3"));
  p.log.clear();
  EXPECT_THROW(reg.RegisterClickHotkey("Ctrl", "X"), ConvertError);
  EXPECT_TRUE(p.log.entries.empty());
  EXPECT_EQ(p.grabber.grabbed.size(), 1u);
}

TEST_F(Registration, StopHotkeyForms) {
  reg.RegisterStopHotkey("Ctrl+Alt+F12");
  EXPECT_EQ(p.log.with("RegisterHotKey").back(), "RegisterHotKey(1108,3,123)=1");
  reg.RegisterStopHotkey("F6");
  EXPECT_EQ(p.log.with("RegisterHotKey").back(), "RegisterHotKey(1108,0,117)=1");
  // Replacing it releases the previous combination.
  EXPECT_EQ(p.grabber.grabbed, (std::set<std::pair<unsigned, unsigned>>{{0, 117}}));
}

TEST_F(Registration, StopHotkeyEqualToClickHotkeyIsRefused) {
  ASSERT_TRUE(reg.RegisterClickHotkey("Ctrl", "F3"));
  reg.RegisterStopHotkey("Ctrl+F3");
  ASSERT_EQ(p.boxes.shown.size(), 1u);
  p.grabber.press(kModControl, 114);
  EXPECT_EQ(main.ids, std::vector<int>{ClickHotkeyId});  // the click hotkey still works
}

TEST_F(Registration, ScriptHotkeyConflictNamesTheHotkey) {
  ASSERT_TRUE(reg.RegisterScriptHotkey("Ctrl+F5", "7"));
  EXPECT_FALSE(reg.RegisterScriptHotkey("Ctrl+F5", "8"));
  EXPECT_EQ(p.boxes.shown.at(0).text, "您设置的Ctrl+F5热键与其他程序的热键冲突,请选择过热键.");
  EXPECT_THROW(reg.RegisterScriptHotkey("Ctrl+F5", "x"), ConvertError);
  // Enabling the same script twice is fine: its id is released first.
  EXPECT_TRUE(reg.RegisterScriptHotkey("Ctrl+F5", "7"));
}

TEST_F(Registration, ScriptWithId1008TakesOverTheClickHotkeyId) {
  ASSERT_TRUE(reg.RegisterClickHotkey("Ctrl", "F3"));
  ASSERT_TRUE(reg.RegisterScriptHotkey("F9", "1008"));
  p.grabber.press(kModControl, 114);
  p.grabber.press(0, 120);
  EXPECT_EQ(main.ids, std::vector<int>{ClickHotkeyId});
}

TEST(HotkeyTable, CombinationHeldByAnotherWindowIsRefusedAndPressesReachTheirOwner) {
  fake::FakePlatform p;
  Sink a, b;
  ASSERT_TRUE(p.table.RegisterHotKey(&a, 1008, 0, 122));
  EXPECT_FALSE(p.table.RegisterHotKey(&b, 1008, 0, 122));
  p.table.UnregisterHotKey(&b, 1008);  // releasing what b never held changes nothing
  p.grabber.press(0, 122);
  EXPECT_EQ(a.ids, std::vector<int>{1008});
  p.table.releaseAll(&a);
  EXPECT_TRUE(p.table.RegisterHotKey(&b, 1008, 0, 122));
  p.grabber.press(0, 122);
  EXPECT_EQ(b.ids, std::vector<int>{1008});
}
