#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "CounterWindow.h"
#include "hotkeys/HotkeyTable.h"
#include "platform/win32/Win32KeyGrabber.h"
#include "platform/win32/Win32Mouse.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/WideText.h"
#include "settings/ProfileFile.h"

using namespace velmo;
using velmo::win32::Win32KeyGrabber;
using velmo::win32::Win32Mouse;
using velmo::win32::Win32Shell;

namespace {

struct Sink : HotkeySink {
  std::vector<int> ids;
  void WMHotKey(int id) override { ids.push_back(id); }
};

void pressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD vk : keys) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    inputs.push_back(in);
  }
  for (auto it = keys.end(); it != keys.begin();) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = *--it;
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)),
            inputs.size());
}

}  // namespace

TEST(Win32Hotkeys, PressReachesTheOwnerWhileAWineWindowHasTheFocus) {
  CounterWindow focused(50, 50, 200, 100);
  Win32KeyGrabber grabber;
  HotkeyTable table(grabber);
  Sink main, other;
  ASSERT_TRUE(table.RegisterHotKey(&main, 3, kModControl, VK_F3));
  ASSERT_TRUE(table.RegisterHotKey(&other, 1108, 0, VK_F6));

  pressKeys({VK_CONTROL, VK_F3});
  ASSERT_TRUE(PumpUntil([&] { return !main.ids.empty(); }));
  pressKeys({VK_F6});
  ASSERT_TRUE(PumpUntil([&] { return !other.ids.empty(); }));
  EXPECT_EQ(main.ids, std::vector<int>{3});
  EXPECT_EQ(other.ids, std::vector<int>{1108});

  // Released: the key goes to the focused window again, not to the owner.
  table.UnregisterHotKey(&main, 3);
  pressKeys({VK_CONTROL, VK_F3});
  pressKeys({VK_F6});
  ASSERT_TRUE(PumpUntil([&] { return other.ids.size() == 2; }));
  EXPECT_EQ(main.ids, std::vector<int>{3});
}

TEST(Win32Hotkeys, ACombinationHeldElsewhereIsRefusedUntilReleased) {
  // A second grabber stands for another program: the system, not our
  // table, refuses it.
  Win32KeyGrabber program, elsewhere;
  HotkeyTable table(program);
  Sink main;
  ASSERT_TRUE(elsewhere.grab(kModControl | kModAlt, VK_F12));
  EXPECT_FALSE(table.RegisterHotKey(&main, 1, kModControl | kModAlt, VK_F12));
  EXPECT_FALSE(program.grab(kModControl | kModAlt, VK_F12));
  elsewhere.ungrab(kModControl | kModAlt, VK_F12);
  EXPECT_TRUE(table.RegisterHotKey(&main, 1, kModControl | kModAlt, VK_F12));
  EXPECT_FALSE(elsewhere.grab(kModControl | kModAlt, VK_F12));
}

TEST(Win32Mouse, ClicksArriveWhereTheCursorWasPutWithTheirButton) {
  CounterWindow counter(100, 100, 300, 200);
  Win32Mouse mouse;
  mouse.SetCursorPos(150, 130);
  EXPECT_EQ(mouse.GetCursorPos().x, 150);
  EXPECT_EQ(mouse.GetCursorPos().y, 130);
  mouse.mouseEvent(kMouseLeftDown | kMouseLeftUp);
  mouse.mouseEvent(kMouseLeftDown | kMouseLeftUp);
  // Moving sends the waiting double click first, at the old position.
  mouse.SetCursorPos(350, 250);
  mouse.mouseEvent(kMouseRightDown);
  mouse.mouseEvent(kMouseRightUp);
  mouse.flush();
  ASSERT_TRUE(PumpUntil([&] { return counter.presses().size() >= 3; }));
  const auto& p = counter.presses();
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ((std::tuple{p[0].x, p[0].y, p[0].button}), (std::tuple{150, 130, 'L'}));
  EXPECT_EQ((std::tuple{p[1].x, p[1].y, p[1].button}), (std::tuple{150, 130, 'L'}));
  EXPECT_EQ((std::tuple{p[2].x, p[2].y, p[2].button}), (std::tuple{350, 250, 'R'}));
}

TEST(Win32Mouse, ANegativePositionReachesTheSystemAsSuch) {
  // Left of the primary monitor: a desktop with a monitor there puts the
  // cursor on it; wine's one screen stops it at its left edge, where a
  // position read as unsigned would have gone to the right edge instead.
  Win32Mouse mouse;
  mouse.SetCursorPos(-40, 30);
  EXPECT_EQ(mouse.GetCursorPos().x, std::max(-40, GetSystemMetrics(SM_XVIRTUALSCREEN)));
  EXPECT_EQ(mouse.GetCursorPos().y, 30);
}

TEST(Win32Shell, AnAddressReachesTheSystemsBrowserLauncher) {
  // Wine's winebrowser runs the host's xdg-open, here browser/xdg-open, which
  // appends the address to the host file $VELMO_OPENED (drive Z: to wine).
  // Its Chinese survives only as UTF-16, not in the ANSI code page.
  const char* record = std::getenv("VELMO_OPENED");
  ASSERT_NE(record, nullptr);
  const std::string opened = std::string("Z:") + record;
  ASSERT_TRUE(std::remove(opened.c_str()) == 0 || errno == ENOENT);

  const std::string address = "http://www.velmo.example/点击?update";
  Win32Shell().open(address);
  std::string text;
  for (int waited = 0; waited < 30000 && text.find('\n') == std::string::npos; waited += 100) {
    Sleep(100);
    std::ifstream in(opened);
    text.assign(std::istreambuf_iterator<char>(in), {});
  }
  EXPECT_EQ(text, address + "\n");
}

TEST(Win32Files, ASettingsFileHeldForAMomentIsWrittenOnceLetGo) {
  // As a virus scanner holds a file it has just seen written: others may
  // read it, but not replace it.
  wchar_t folder[MAX_PATH];
  ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
  const std::wstring path = std::wstring(folder) + L"velmo-held.ini";
  ProfileFile settings(velmo::win32::Narrow(path));
  settings.WriteString("set", "time", "0.1");
  const HANDLE held =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread scanner([held] {
    Sleep(300);
    CloseHandle(held);
  });
  EXPECT_NO_THROW(settings.WriteString("set", "time", "1"));
  scanner.join();
  EXPECT_EQ(ProfileFile(velmo::win32::Narrow(path)).ReadString("set", "time", ""), "1");
  DeleteFileW(path.c_str());
}
