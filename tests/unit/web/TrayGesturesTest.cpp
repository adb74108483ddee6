#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "fakes/FakePlatform.h"
#include "platform/TrayGestures.h"

using namespace velmo;

namespace {

// Records what the icon asks for; the application raises its restore
// notification from inside restoreApplication, as the real one does.
struct FakeTrayHost : TrayHost {
  fake::Log log;
  bool acceptIcon = true;
  CursorPoint cursor{640, 1010};
  std::function<void()> onRestore;
  std::function<void()> whileMenuOpen;

  bool addIcon() override {
    log.add("addIcon");
    return acceptIcon;
  }
  void restoreApplication() override {
    log.add("restoreApplication");
    if (onRestore) onRestore();
  }
  void showTaskbarEntry() override { log.add("showTaskbarEntry"); }
  void hideTaskbarEntry() override { log.add("hideTaskbarEntry"); }
  void bringToFront() override { log.add("bringToFront"); }
  CursorPoint cursorPos() override { return cursor; }
  void showMenuAt(CursorPoint where) override {
    log.add("showMenuAt(" + std::to_string(where.x) + "," + std::to_string(where.y) + ")");
    if (whileMenuOpen) whileMenuOpen();
  }
};

using Entries = std::vector<std::string>;
const Entries kRestored = {"restoreApplication", "showTaskbarEntry", "bringToFront"};

struct TrayIcon : ::testing::Test {
  FakeTrayHost host;
  TrayIconRules tray{host};
};

}  // namespace

TEST(TrayClickFor, MapsGtkButtonEventsToGestures) {
  EXPECT_EQ(TrayClickFor(TrayButtonEvent::Press, 1), TrayClick::LeftClick);
  EXPECT_EQ(TrayClickFor(TrayButtonEvent::DoublePress, 1), TrayClick::LeftDblClick);
  EXPECT_EQ(TrayClickFor(TrayButtonEvent::Release, 1), TrayClick::LeftClickUp);
  EXPECT_EQ(TrayClickFor(TrayButtonEvent::Press, 3), TrayClick::RightClick);
  EXPECT_EQ(TrayClickFor(TrayButtonEvent::DoublePress, 3), TrayClick::RightDblClick);
  EXPECT_EQ(TrayClickFor(TrayButtonEvent::Release, 3), TrayClick::RightClickUp);
  for (unsigned button : {0u, 2u, 4u, 5u}) {
    EXPECT_EQ(TrayClickFor(TrayButtonEvent::Release, button), TrayClick::None) << button;
  }
}

TEST_F(TrayIcon, GesturesOtherThanLeftDoubleAndRightUpDoNothing) {
  for (TrayClick g : {TrayClick::None, TrayClick::LeftClick, TrayClick::LeftClickUp,
                      TrayClick::RightClick, TrayClick::RightDblClick}) {
    tray.onGesture(g);
  }
  EXPECT_TRUE(host.log.entries.empty());
}

TEST_F(TrayIcon, LeftDoubleClickRestoresAndBringsToFront) {
  tray.onGesture(TrayClick::LeftDblClick);
  EXPECT_EQ(host.log.entries, kRestored);
}

TEST_F(TrayIcon, GtkDoubleClickSequenceRestoresOnce) {
  for (auto [event, button] : {std::pair{TrayButtonEvent::Press, 1u},
                               {TrayButtonEvent::Release, 1u},
                               {TrayButtonEvent::Press, 1u},
                               {TrayButtonEvent::DoublePress, 1u},
                               {TrayButtonEvent::Release, 1u}}) {
    tray.onGesture(TrayClickFor(event, button));
  }
  EXPECT_EQ(host.log.entries, kRestored);
}

TEST_F(TrayIcon, RightReleaseOpensMenuAtCursorWithProgramInFront) {
  tray.onGesture(TrayClick::RightClickUp);
  EXPECT_EQ(host.log.entries, (Entries{"bringToFront", "showMenuAt(640,1010)"}));
}

TEST_F(TrayIcon, LeftDoubleClickWhileMenuOpenDoesNotRestore) {
  host.whileMenuOpen = [this] { tray.onGesture(TrayClick::LeftDblClick); };
  tray.onGesture(TrayClick::RightClickUp);
  EXPECT_TRUE(host.log.with("restore").empty());

  // Once the menu has closed, the gesture works again.
  host.whileMenuOpen = nullptr;
  host.log.clear();
  tray.onGesture(TrayClick::LeftDblClick);
  EXPECT_EQ(host.log.entries, kRestored);
}

TEST_F(TrayIcon, MenuThatFailsStillLeavesTheMenuClosed) {
  host.whileMenuOpen = [] { throw std::runtime_error("menu failed"); };
  EXPECT_THROW(tray.onGesture(TrayClick::RightClickUp), std::runtime_error);
  host.log.clear();
  tray.onGesture(TrayClick::LeftDblClick);
  EXPECT_EQ(host.log.entries, kRestored);
}

TEST_F(TrayIcon, OwnRestoreNotificationDoesNotRecurse) {
  // Raised once: a missing guard shows as a second restore, not as endless recursion.
  int notifications = 0;
  host.onRestore = [&] {
    if (notifications++ == 0) tray.onApplicationRestore();
  };
  tray.onGesture(TrayClick::LeftDblClick);
  EXPECT_EQ(host.log.entries, kRestored);
}

TEST_F(TrayIcon, RestoreByAnyOtherRouteBringsTheTaskbarEntryBack) {
  tray.onApplicationMinimize();
  tray.onApplicationRestore();
  EXPECT_EQ(host.log.entries, (Entries{"hideTaskbarEntry", "restoreApplication", "showTaskbarEntry",
                                       "bringToFront"}));
}

TEST_F(TrayIcon, MinimiseHidesTaskbarEntryOnlyWhenEnabledAndHideOnMinimize) {
  tray.HideOnMinimize = false;
  tray.onApplicationMinimize();
  EXPECT_TRUE(host.log.entries.empty());

  tray.HideOnMinimize = true;
  tray.Enabled = false;
  tray.onApplicationMinimize();
  EXPECT_TRUE(host.log.entries.empty());

  tray.Enabled = true;
  tray.onApplicationMinimize();
  EXPECT_EQ(host.log.entries, Entries{"hideTaskbarEntry"});
}

TEST_F(TrayIcon, RefusedIconLeavesTheProgramOnTheTaskbar) {
  host.acceptIcon = false;
  tray.addIcon();
  EXPECT_FALSE(tray.Enabled);
  host.log.clear();

  tray.onApplicationMinimize();
  EXPECT_TRUE(host.log.entries.empty());
  // A restore still un-minimises, but leaves the taskbar entry alone.
  tray.onGesture(TrayClick::LeftDblClick);
  EXPECT_EQ(host.log.entries, Entries{"restoreApplication"});
}

TEST_F(TrayIcon, AcceptedIconStaysEnabled) {
  tray.addIcon();
  EXPECT_TRUE(tray.Enabled);
  EXPECT_EQ(host.log.entries, Entries{"addIcon"});
}
