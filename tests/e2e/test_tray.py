"""The real program's notification-area icon with `trayer` as the tray host:
the icon is embedded in trayer's panel, a right click on it opens the tray
menu, and the menu's last item "退出(&E)" asks before ending the program: No
keeps it running, Yes ends it at once."""

import ctypes
import ctypes.util
import re
import unittest

from e2e import MAIN_CAPTION, AppTestCase, wait_until

MENU_ITEMS = 5  # 上网导航, 更多软件, 关于, 设置, 退出


def selection_owned(display, selection):
    """Whether someone owns the X selection, asked through Xlib itself: no
    command line tool of ours tells."""
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XGetSelectionOwner.restype = ctypes.c_ulong
    xlib.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    connection = xlib.XOpenDisplay(display.encode())
    if not connection:
        raise AssertionError(f"could not connect to {display}")
    try:
        atom = xlib.XInternAtom(connection, selection.encode(), 0)
        return xlib.XGetSelectionOwner(connection, atom) != 0
    finally:
        xlib.XCloseDisplay(connection)


class TrayIconTest(AppTestCase):
    def window_pid(self, window):
        result = self.run_tool("xprop", "-id", window, "_NET_WM_PID")
        found = re.search(rb"= (\d+)", result.stdout)
        return int(found.group(1)) if found else None

    def top_level_windows(self):
        tree = self.run_tool("xwininfo", "-root", "-children").stdout.decode("utf-8", "replace")
        return re.findall(r"^\s+(0x[0-9a-f]+) ", tree, re.M)

    def shown_windows_of(self, pid):
        """Viewable top-level windows of process `pid` that lie on the screen
        (GTK keeps helper windows mapped off the screen)."""
        return {window for window in self.top_level_windows()
                if self.window_pid(window) == pid and self.viewable(window)
                and min(self.geometry(window)[:2]) >= 0}

    def embedded_icons(self, trayer, app):
        """Viewable windows of `app` that carry the embedding protocol's
        property and lie inside a top-level window of `trayer`."""
        found = []
        for top in self.top_level_windows():
            if self.window_pid(top) != trayer.pid:
                continue
            tree = self.run_tool("xwininfo", "-id", top, "-tree").stdout.decode("utf-8", "replace")
            for window in re.findall(r"^\s+(0x[0-9a-f]+) ", tree, re.M):
                if self.window_pid(window) != app.pid or not self.viewable(window):
                    continue
                info = self.run_tool("xprop", "-id", window, "_XEMBED_INFO").stdout
                if b"_XEMBED_INFO(_XEMBED_INFO) =" in info:
                    found.append(window)
        return found

    def assert_items_have_images(self, left, top, height):
        """The menu's image column, left of the captions, is drawn on: a
        menu without images leaves it the menu's plain background."""
        column = self.screen_area(left + 4, top + 4, 16, height - 8)
        background = column[:3]
        drawn = sum(column[i:i + 3] != background for i in range(0, len(column), 3))
        self.assertGreater(drawn, 20 * MENU_ITEMS, "the menu items show no images")

    def open_menu_and_choose_exit(self, app, icon):
        """Right-clicks the icon, waits for the menu's popup and clicks its
        last item; returns the question box."""
        guards = [self.app_guard]
        before = self.shown_windows_of(app.pid)
        x, y, width, height = self.geometry(icon)
        self.xdotool("mousemove", str(x + width // 2), str(y + height // 2), "click", "3")
        popup = wait_until(lambda: self.shown_windows_of(app.pid) - before, 10,
                           "a popup menu after the right click on the icon", guards)
        self.assertEqual(len(popup), 1, f"more than one new window: {popup}")
        (menu,) = popup
        self.assertEqual(self.windows_titled(MAIN_CAPTION), [])
        left, top, width, height = self.geometry(menu)
        self.assert_items_have_images(left, top, height)
        # The middle of the last of the menu's equally high items.
        self.xdotool("mousemove", str(left + width // 2),
                     str(top + height - height // (2 * MENU_ITEMS)), "click", "1")
        question = self.wait_for_window(MAIN_CAPTION, timeout=10, guards=guards)
        self.assertEqual(len(question), 1, question)
        wait_until(lambda: not self.viewable(menu), 10, "the menu to close", guards)
        return question[0]

    def test_icon_is_embedded_and_its_menu_exits_after_asking(self):
        trayer = self.spawn(["trayer"], "trayer")
        trayer_guard = self.alive_guard(trayer, "trayer")
        # The program looks for a tray host once, at start-up.
        wait_until(lambda: selection_owned(self.x.display, "_NET_SYSTEM_TRAY_S0"), 15,
                   "trayer to take the tray selection", [trayer_guard])

        app = self.start_app()
        self.wait_for_main_window()
        icon = wait_until(lambda: self.embedded_icons(trayer, app), 20,
                          "the program's icon inside trayer's panel",
                          [self.app_guard, trayer_guard])
        self.assertEqual(len(icon), 1, icon)
        icon = icon[0]

        # No: the "否(&N)" button by its mnemonic.
        question = self.open_menu_and_choose_exit(app, icon)
        self.xdotool("windowfocus", "--sync", question, "key", "alt+n")
        wait_until(lambda: not self.windows_titled(MAIN_CAPTION), 10,
                   "the question to close after No", [self.app_guard])
        # The program goes on: its icon stays, and the second round below
        # needs its event loop again.
        self.assertIsNone(app.poll(), self.output_of(app))
        self.assertEqual(self.embedded_icons(trayer, app), [icon],
                         "the icon is gone after answering No")

        # Yes, the default button: the program ends without the close query.
        question = self.open_menu_and_choose_exit(app, icon)
        self.press_return_in(question)
        self.assertEqual(app.wait(timeout=10), 0, self.output_of(app))
        self.assertIsNone(trayer.poll(), "trayer ended with the program")


if __name__ == "__main__":
    unittest.main()
