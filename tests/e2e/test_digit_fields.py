"""A digits-only field of the real program by keyboard alone: Tab leaves it,
Ctrl+A and Ctrl+V reach it and a pasted text keeps only its digits, and an Alt
mnemonic pressed in it reaches the window."""

import os
import unittest

from e2e import MAIN_CAPTION, AppTestCase, wait_until

# The speed list "速度为" (cbb3), relative to the main window: it takes any
# text, so it is where the test copies from.
SPEED_LIST = (333, 152)
CLICK_LIMIT = (133, 179)  # "点击数:" (edt1)


class DigitFieldTest(AppTestCase):
    def setting(self, folder, key):
        with open(os.path.join(folder, "setting.ini"), encoding="gbk") as f:
            lines = f.read().splitlines()
        return next((line.split("=", 1)[1] for line in lines if line.startswith(key + "=")), None)

    def focus_field(self, point):
        """Clicks into a field of the main window once nothing covers it and
        waits for its focus frame."""
        left, top, _, _ = self.geometry(self.main_window)
        self.click_and_wait_for_redraw((left + point[0], top + point[1]),
                                       (left + point[0] - 30, top + point[1] - 12, 60, 24),
                                       "the field to take the focus", [self.app_guard], pixels=20)

    def test_tab_paste_and_mnemonic_pass_through_the_click_limit(self):
        app = self.start_app()
        main = self.wait_for_main_window()
        self.wait_for_hotkey("none", "F6")
        self.xdotool("windowfocus", "--sync", main)
        self.focus_field(SPEED_LIST)
        self.xdotool("key", "ctrl+a", "type", "1a2b3")
        self.xdotool("key", "ctrl+a", "ctrl+c")
        self.xdotool("type", "0.1")
        # Each editable list is one Tab stop, its text. Tab into the click
        # limit, which GTK selects whole: the paste replaces it and keeps the
        # digits. Then past the hotkey lists and "指定坐标" to "保存设置(&S)".
        self.xdotool("key", "Tab", "ctrl+v", *["Tab"] * 4, "Return")
        message = self.wait_for_window(MAIN_CAPTION, guards=[self.app_guard])[0]
        folder = os.path.dirname(app.args[0])
        self.assertEqual((self.setting(folder, "click"), self.setting(folder, "time")),
                         ("123", "0.1"))
        self.press_return_in(message)
        wait_until(lambda: not self.windows_titled(MAIN_CAPTION), 10,
                   "the saved message to close", [self.app_guard])

        # Alt+E in the field is 退出软件(&E).
        self.xdotool("windowfocus", "--sync", main)
        self.focus_field(CLICK_LIMIT)
        self.xdotool("key", "alt+e")
        self.assertEqual(app.wait(timeout=15), 0, self.output_of(app))


if __name__ == "__main__":
    unittest.main()
