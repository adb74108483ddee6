"""The real program on a desktop, on a bare X server and again under openbox:
every dialog opens centred on the main window, the main window keeps the
keyboard focus, the red-packet popup is a tool window of the main window that
goes and comes back with it, and the window class is ASCII. Positions and
focus are read from the X server, never from the program."""

import os
import subprocess
import unittest

from e2e import wait_until
from test_script_editing import ADD_POINT, FIRST_SCRIPT, LIST_AREA, MODIFY_SCRIPT, MULTI_TAB, \
    STOP_HOTKEY, ScriptDialogsCase

POPUP_TITLE = "支付宝扫码领红包"
STOP_TITLE, MODIFY_TITLE, ADD_POINT_TITLE = "停止热键设置", "修改坐标", "添加坐标"
STOP_CANCEL = (-54, -33)  # from the client area's bottom right corner
# Pixels. A dialog is centred before the window manager has said how high its
# frame is: the title bar puts it lower by up to half its height.
TOLERANCE = 14


class Desktop:
    """The tests; the classes below run them on each floor."""

    scripts = [("改", "Alt+F7", "10,10,左键单击,20|20,20,左键单击,20|", "1")]

    def setUp(self):
        # The script page is shown by the test that needs it: a click in the
        # main window would give it the focus whoever had it.
        super(ScriptDialogsCase, self).setUp()
        self.start_app(scripts=self.scripts)
        self.main = self.geometry(self.wait_for_main_window())
        self.wait_for_hotkey("none", "F6")  # start-up has run to its end

    def centre(self, geometry):
        x, y, width, height = geometry
        return x + width // 2, y + height // 2

    def assert_centred_on_main(self, title, known=()):
        dialog = self.wait_for_new_window(title, known)
        wanted, found = self.centre(self.main), self.centre(dialog)
        self.assertLessEqual(max(abs(wanted[0] - found[0]), abs(wanted[1] - found[1])), TOLERANCE,
                             f"{title} at {dialog[:2]}, size {dialog[2:]}: centre {found}, "
                             f"the main window's {wanted}")
        return dialog

    def property_of(self, window, name):
        return self.run_tool("xprop", "-id", window, name).stdout.decode("utf-8", "replace")

    def focused(self):
        return int(self.run_tool("xdotool", "getwindowfocus").stdout)

    def test_dialogs_open_centred_on_the_main_window(self):
        self.click_and_wait_for_redraw(self.at(self.main, MULTI_TAB),
                                       self.area(self.main, LIST_AREA),
                                       "the script page to show", [self.app_guard])
        self.click_page(STOP_HOTKEY)
        stop = self.assert_centred_on_main(STOP_TITLE)
        # Cancel, at the bottom right of whatever client area the frame left.
        self.xdotool("mousemove", str(stop[0] + stop[2] + STOP_CANCEL[0]),
                     str(stop[1] + stop[3] + STOP_CANCEL[1]), "click", "1")
        self.wait_until_shown(STOP_TITLE, 0)
        if self.window_manager:
            wait_until(lambda: self.focused() == int(self.main_window, 16), 10,
                       "the main window to have the focus again")

        self.click_page(FIRST_SCRIPT)
        self.click_page(MODIFY_SCRIPT)
        editor = self.assert_centred_on_main(MODIFY_TITLE)
        self.click(editor, ADD_POINT)
        self.assert_centred_on_main(ADD_POINT_TITLE)

    def test_popup_is_a_tool_window_of_the_main_window(self):
        self.assertEqual(self.property_of(self.main_window, "WM_CLASS").split(" = ")[1].strip(),
                         '"velmo", "Velmo"')
        popup = self.wait_for_window(POPUP_TITLE, guards=[self.app_guard])[0]
        self.assertIn(f"window id # {self.main_window}",
                      self.property_of(popup, "WM_TRANSIENT_FOR"))
        self.assertIn("_NET_WM_WINDOW_TYPE_UTILITY",
                      self.property_of(popup, "_NET_WM_WINDOW_TYPE"))
        if not self.window_manager:
            return  # nobody gives focus or minimises without one
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", self.property_of(popup, "_NET_WM_STATE"))
        self.assertEqual(self.focused(), int(self.main_window, 16), "the focus at start")
        self.xdotool("windowminimize", self.main_window)
        wait_until(lambda: not self.viewable(popup), 10, "the popup to go with the main window")
        self.xdotool("windowactivate", self.main_window)
        wait_until(lambda: self.viewable(popup), 10, "the popup to come back with the main window")


class BareDesktopTest(Desktop, ScriptDialogsCase):
    pass


class OpenboxDesktopTest(Desktop, ScriptDialogsCase):
    window_manager = True


class UnansweringDisplayTest(unittest.TestCase):
    def test_the_program_says_so_in_its_own_words(self):
        env = dict(os.environ, DISPLAY="unix:64999")
        env.pop("WAYLAND_DISPLAY", None)
        result = subprocess.run([os.environ["VELMO_BINARY"]], env=env, capture_output=True,
                                timeout=30)
        stderr = result.stderr.decode("utf-8", "replace")
        self.assertEqual(result.returncode, 1, stderr)
        self.assertIn("Velmo无法连接X11显示服务器\"unix:64999\"", stderr)
        self.assertNotIn("GTK", stderr)


if __name__ == "__main__":
    unittest.main()
