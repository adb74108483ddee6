"""Scripts built and changed through the real program's dialogs: points
captured with F11 where the pointer stands, the script written to data.db,
enabled and run onto the click counter; clicks recorded anywhere on the
screen and run again; the stop-hotkey dialog; F11 held by another program.

Controls are clicked where the dialogs' layout puts them, relative to each
window's top left corner (there is no window manager, so a window's corner
is its client area's corner). A negative x counts from the right edge."""

import os
import sqlite3
import time
import unittest

from e2e import APP_TITLE, HOLDKEY_FREE, HOLDKEY_HELD, AppTestCase, wait_until

LEFT, RIGHT = 1, 3

# Main window: the second tab, measured on screenshots; the script page's
# origin (below the banner and the tab row) and its controls.
MULTI_TAB = (168, 107)
LIST_AREA = (14, 144, 520, 140)  # x, y, width, height of the script list's inside
PAGE = (2, 119)
FIRST_SCRIPT = (60, 47)
ADD_SCRIPT, MODIFY_SCRIPT, STOP_HOTKEY, ENABLE = (49, 214), (130, 214), (306, 214), (406, 214)

# Script editors.
NAME, LOOPS, KEY = (219, 37), (140, 91), (228, 64)
FIRST_POINT = (60, 188)
ADD_POINT, MODIFY_POINT, EDITOR_OK = (-62, 173), (-62, 205), (-142, 393)
RECORD = (58, 393)

# Point dialogs: the two buttons at the right edge, the coordinate and action fields.
POINT_OK, POINT_CLOSE = (-57, 27), (-57, 61)
COORDINATE_AREA, ACTION = (86, 52, 100, 17), (124, 86)

# Stop-hotkey dialog.
STOP_MODIFIER, STOP_KEY, STOP_OK = (100, 42), (195, 42), (-142, 155)

ADD_EDITOR, MODIFY_TITLE, ADD_POINT_TITLE = "添加多坐标点击", "修改坐标", "添加坐标"


class ScriptDialogsCase(AppTestCase):
    """The program started with `scripts` in data.db, showing its script page."""

    scripts = ()

    def setUp(self):
        super().setUp()
        self.start_app(scripts=self.scripts)
        self.main = self.geometry(self.wait_for_main_window())
        self.wait_for_hotkey("none", "F6")  # start-up has run to its end
        self.click_and_wait_for_redraw(self.at(self.main, MULTI_TAB),
                                       self.area(self.main, LIST_AREA),
                                       "the script page to show", [self.app_guard])

    @staticmethod
    def at(window, point):
        left, top, width, _ = window
        return left + (point[0] if point[0] >= 0 else width + point[0]), top + point[1]

    def area(self, window, rect):
        return (*self.at(window, rect[:2]), *rect[2:])

    def click(self, window, point):
        self.xdotool("mousemove", *map(str, self.at(window, point)), "click", "1")

    def click_page(self, point):
        self.click(self.main, (PAGE[0] + point[0], PAGE[1] + point[1]))

    def wait_for_new_window(self, title, known=()):
        """The geometry of a window titled `title` that is not among `known`."""
        found = wait_until(lambda: [w for w in self.windows_titled(title) if w not in known], 20,
                           f"a new window titled {title!r}", [self.app_guard])
        return self.geometry(found[0])

    def wait_until_shown(self, title, count):
        wait_until(lambda: len(self.windows_titled(title)) == count, 10,
                   f"{count} windows titled {title!r}", [self.app_guard])

    def replace_text(self, window, point, text):
        # Selected with keys that type no character: the filtered edits
        # discard Ctrl+A.
        self.click(window, point)
        self.xdotool("key", "End", "shift+Home", "BackSpace")
        self.give_keys(text)
        self.xdotool("type", "--delay", "50", text)

    def give_keys(self, text):
        """Gives each character without a key on the keyboard a spare key of its
        own. xdotool would otherwise map one key to each in turn and map it
        back after the press, and a busy program reading the press after that
        lost the character."""
        wanted = sorted({c for c in text if ord(c) > 127} - set(getattr(self, "given", "")))
        if not wanted:
            return
        table = self.run_tool("xmodmap", "-pke").stdout.decode()
        spare = [int(line.split()[1]) for line in table.splitlines()
                 if line.startswith("keycode") and line.split("=")[1].strip() == ""]
        self.assertGreaterEqual(len(spare), len(wanted), "spare key codes")
        self.run_tool("xmodmap", *[arg for code, c in zip(spare, wanted)
                                   for arg in ("-e", f"keycode {code} = U{ord(c):04X}")])
        self.given = getattr(self, "given", "") + "".join(wanted)

    def capture(self, dialog, x, y):
        """F11 with the pointer at (x, y); waits until the coordinate field
        shows something new, as the press reaches the program on another X
        connection than the clicks that follow."""
        before = self.screen_area(*self.area(dialog, COORDINATE_AREA))
        self.xdotool("mousemove", str(x), str(y), "key", "F11")
        wait_until(lambda: self.screen_area(*self.area(dialog, COORDINATE_AREA)) != before, 10,
                   "the captured coordinate to show", [self.app_guard])

    def stored(self):
        path = os.path.join(self.tmp, "app", "data.db")
        with sqlite3.connect(path) as db:
            return db.execute("select mpname,hotkey,mpoint,clicknum from mplist").fetchall()

    def run_first_script(self, keys, modifiers, keysym, clicks):
        """Enables the first script, presses its hotkey over the counter and
        returns the presses once the run is over."""
        self.click_page(FIRST_SCRIPT)
        self.click_page(ENABLE)
        self.wait_for_hotkey(modifiers, keysym)
        counter = self.start_counter()
        self.xdotool("key", keys)
        counter.wait_for(clicks, timeout=15, guards=[self.app_guard])
        return counter.wait_until_quiet(1.5, guards=[self.app_guard])


class AddScriptTest(ScriptDialogsCase):
    def test_points_captured_with_f11_are_stored_and_run(self):
        self.click_page(ADD_SCRIPT)
        editor = self.wait_for_new_window(ADD_EDITOR)
        self.replace_text(editor, NAME, "两点")
        self.replace_text(editor, LOOPS, "2")
        self.replace_text(editor, KEY, "F8")
        self.click(editor, ADD_POINT)
        dialog = self.wait_for_new_window(ADD_POINT_TITLE)
        self.assertEqual(self.probe_key("none", "F11"), HOLDKEY_HELD, "the dialog holds F11")
        self.capture(dialog, 150, 200)
        self.click(dialog, POINT_OK)
        self.capture(dialog, 600, 500)
        self.replace_text(dialog, ACTION, "右键单击")
        self.click(dialog, POINT_OK)
        self.click(dialog, POINT_CLOSE)
        self.wait_until_shown(ADD_POINT_TITLE, 0)
        self.assertEqual(self.probe_key("none", "F11"), HOLDKEY_FREE, "closing released F11")
        self.click(editor, EDITOR_OK)
        self.wait_until_shown(ADD_EDITOR, 0)
        self.assertEqual(self.stored(),
                         [("两点", "Ctrl+F8", "150,200,左键单击,20|600,500,右键单击,20|", "2")])

        presses = self.run_first_script("ctrl+F8", "ctrl", "F8", 4)
        self.assertEqual(presses, [(LEFT, 150, 200), (RIGHT, 600, 500)] * 2)


class RecordScriptTest(ScriptDialogsCase):
    # Clear of the main window, which the program leaves out of a recording.
    CLICKS = [(LEFT, 900, 100, 0.0), (RIGHT, 100, 300, 0.6), (LEFT, 150, 650, 0.9)]

    def test_recorded_clicks_are_stored_and_run_at_their_places(self):
        self.click_page(ADD_SCRIPT)
        editor = self.wait_for_new_window(ADD_EDITOR)
        self.replace_text(editor, NAME, "录")
        self.replace_text(editor, KEY, "F9")
        self.click(editor, RECORD)
        self.wait_until_shown(ADD_EDITOR, 0)
        for button, x, y, gap in self.CLICKS:
            time.sleep(gap)
            self.xdotool("mousemove", str(x), str(y), "click", str(button))
        self.xdotool("key", "Escape")
        editor = self.wait_for_new_window(ADD_EDITOR)
        self.click(editor, EDITOR_OK)
        self.wait_until_shown(ADD_EDITOR, 0)

        [(_, _, points, _)] = self.stored()
        entries = [entry.split(",") for entry in points.split("|")[:-1]]
        self.assertEqual([(int(x), int(y), action) for x, y, action, _ in entries],
                         [(900, 100, "左键单击"), (100, 300, "右键单击"), (150, 650, "左键单击")])
        pauses = [int(entry[3]) for entry in entries]
        for pause, (*_, gap) in zip(pauses, self.CLICKS[1:]):
            self.assertTrue(gap * 1000 - 50 <= pause <= gap * 1000 + 2000, pauses)
        self.assertEqual(pauses[2], 1000)

        presses = self.run_first_script("ctrl+F9", "ctrl", "F9", 3)
        self.assertEqual(presses, [(button, x, y) for button, x, y, _ in self.CLICKS])


class ModifyScriptTest(ScriptDialogsCase):
    scripts = [("改", "Alt+F7", "10,10,左键单击,20|20,20,左键单击,20|", "1")]

    def test_a_point_captured_again_is_stored_and_run(self):
        self.click_page(FIRST_SCRIPT)
        self.click_page(MODIFY_SCRIPT)
        editor = self.wait_for_new_window(MODIFY_TITLE)
        known = self.windows_titled(MODIFY_TITLE)
        self.click(editor, FIRST_POINT)
        self.click(editor, MODIFY_POINT)
        dialog = self.wait_for_new_window(MODIFY_TITLE, known)
        self.capture(dialog, 321, 432)
        self.click(dialog, POINT_OK)
        self.wait_until_shown(MODIFY_TITLE, 1)
        self.assertEqual(self.probe_key("none", "F11"), HOLDKEY_FREE, "closing released F11")
        self.click(editor, EDITOR_OK)
        self.wait_until_shown(MODIFY_TITLE, 0)
        self.assertEqual(self.stored(),
                         [("改", "Alt+F7", "321,432,左键单击,20|20,20,左键单击,20|", "1")])

        presses = self.run_first_script("alt+F7", "alt", "F7", 2)
        self.assertEqual(presses, [(LEFT, 321, 432), (LEFT, 20, 20)])


class StopHotkeyDialogTest(ScriptDialogsCase):
    def test_the_chosen_stop_hotkey_replaces_f6(self):
        self.click_page(STOP_HOTKEY)
        dialog = self.wait_for_new_window("停止热键设置")
        self.replace_text(dialog, STOP_MODIFIER, "Ctrl")
        self.replace_text(dialog, STOP_KEY, "F9")
        self.click(dialog, STOP_OK)
        message = self.wait_for_window("提示", guards=[self.app_guard])[0]  # the success message
        self.press_return_in(message)
        self.wait_until_shown("停止热键设置", 0)
        self.wait_for_hotkey("ctrl", "F9")
        self.assertEqual(self.probe_key("none", "F6"), HOLDKEY_FREE, "F6 stops nothing now")
        with open(os.path.join(self.tmp, "app", "setting.ini"), "rb") as f:
            self.assertIn(b"stophotkey=Ctrl+F9\r\n", f.read())


class CaptureKeyHeldElsewhereTest(ScriptDialogsCase):
    def test_opening_a_point_dialog_reports_the_conflict(self):
        self.hold_key("none", "F11")
        self.click_page(ADD_SCRIPT)
        editor = self.wait_for_new_window(ADD_EDITOR)
        self.click(editor, ADD_POINT)
        self.wait_for_window("提示", guards=[self.app_guard])
        self.assertEqual(len(self.windows_titled(APP_TITLE)), 1)


if __name__ == "__main__":
    unittest.main()
