"""Multi-point scripts in the real program: a script stored in data.db is
enabled in the script list and run by its own hotkey, the stop hotkey ends a
run at once in the middle of a long pause while the single-point hotkey still
clicks during it, scripts go to a script file and come back from one on the
command line without a display, and a missing data.db ends the program after
telling the user."""

import os
import shutil
import sqlite3
import stat
import subprocess
import tempfile
import time
import unittest

from e2e import (APP_TITLE, MAIN_CAPTION, AppTestCase, make_data_file, stop_process, tool,
                 wait_until)

LEFT, RIGHT = 1, 3
MAIN_WINDOW_SIZE = (560, 461)

# Points of the main window, relative to its top left corner, measured on
# screenshots of the window at its layout size.
TAB_MULTI = (150, 105)  # the tab "多点点击(&M)"
FIRST_ROW = (115, 167)  # the first row of the script list lv2
ENABLE_BUTTON = (408, 333)  # "启用(&S)"
LIST_AREA = (14, 144, 520, 140)  # x, y, width, height of the list's inside
FIRST_ROW_AREA = (14, 158, 520, 18)


class ScriptTestCase(AppTestCase):
    def enable_first_script(self, main_window, modifiers=None, keysym=None):
        """Shows the script page, selects the first row, presses "启用(&S)"
        and, given the script's hotkey, waits until the program grabs it."""
        left, top, _, _ = self.geometry(main_window)

        def on_screen(point):
            return left + point[0], top + point[1]

        def area(rect):
            return (*on_screen(rect[:2]), *rect[2:])

        self.click_and_wait_for_redraw(on_screen(TAB_MULTI), area(LIST_AREA),
                                       "the script page to show", [self.app_guard])
        self.click_and_wait_for_redraw(on_screen(FIRST_ROW), area(FIRST_ROW_AREA),
                                       "the first row to be selected", [self.app_guard])
        self.xdotool("mousemove", *map(str, on_screen(ENABLE_BUTTON)), "click", "1")
        if modifiers:
            self.wait_for_hotkey(modifiers, keysym)

    def start_with_scripts(self, scripts, settings=None):
        """Starts the program with `scripts` in data.db and waits until its
        start-up is done: the stop hotkey is the last thing it registers."""
        self.start_app(settings=settings, scripts=scripts)
        main_window = self.wait_for_main_window()
        self.wait_for_hotkey("none", "F6")
        return main_window


class RunByHotkeyTest(ScriptTestCase):
    def test_enabled_script_clicks_its_points_in_order(self):
        main_window = self.start_with_scripts([
            ("三个点", "Ctrl+F5", "100,100,左键单击,20|200,150,右键单击,20|300,200,左键双击,20|", "1"),
            ("别的脚本", "F7", "600,500,左键单击,20|700,600,右键双击,20|", "1"),
        ])
        self.enable_first_script(main_window, "ctrl", "F5")
        counter = self.start_counter()
        self.xdotool("key", "F7")  # the second script is not enabled
        self.xdotool("key", "ctrl+F5")
        counter.wait_for(4, guards=[self.app_guard])
        presses = counter.wait_until_quiet(1.5, guards=[self.app_guard])
        # A double click is two presses.
        self.assertEqual(presses,
                         [(LEFT, 100, 100), (RIGHT, 200, 150), (LEFT, 300, 200), (LEFT, 300, 200)])


class StopHotkeyTest(ScriptTestCase):
    def test_stop_in_a_long_pause_ends_the_run_at_once_and_the_clicker_works_in_it(self):
        main_window = self.start_with_scripts(
            [("长停顿", "F8", "100,100,左键单击,10000|200,200,左键单击,20|300,300,右键单击,20|",
              "3")],
            settings=[("btn1", "右键"), ("click", "0"), ("time", "0.1")])
        self.enable_first_script(main_window, "none", "F8")
        counter = self.start_counter()
        self.xdotool("key", "F8")
        counter.wait_for(1, guards=[self.app_guard])
        # In the first point's pause: the single-point clicker starts, clicks
        # where the script left the pointer, and stops.
        self.xdotool("key", "ctrl+F3")
        counter.wait_for(3, guards=[self.app_guard])
        self.xdotool("key", "ctrl+F3")
        clicker = counter.wait_until_quiet(0.5, guards=[self.app_guard])[1:]
        self.assertEqual(set(clicker), {(RIGHT, 100, 100)})

        pressed = time.monotonic()
        self.xdotool("key", "F6")
        message = self.wait_for_window(MAIN_CAPTION, guards=[self.app_guard])[0]
        self.assertLess(time.monotonic() - pressed, 1.0, "the stop took a second or more")
        self.assertEqual(counter.presses(), [(LEFT, 100, 100)] + clicker)
        self.press_return_in(message)
        wait_until(lambda: not self.windows_titled(MAIN_CAPTION), 10,
                   "the stop message to close", [self.app_guard])
        # Nothing of the run is left once the message is closed.
        self.assertEqual(counter.wait_until_quiet(1.5, guards=[self.app_guard]),
                         [(LEFT, 100, 100)] + clicker)


class CommandLineDrivesTest(ScriptTestCase):
    def velmo(self, *args):
        """Runs the program's copy with `args`: (exit code, stdout, stderr)."""
        result = subprocess.run([os.path.join(self.tmp, "app", "velmo"), *args],
                                env=dict(self.x.env, **self.app_env), capture_output=True,
                                timeout=20)
        return result.returncode, result.stdout.decode(), result.stderr.decode()

    def test_toggle_run_and_stop_reach_the_running_program_and_a_second_start_defers(self):
        app = self.start_app(settings=[("click", "0"), ("time", "0.1")], scripts=[
            ("两点", "F9", "100,100,左键单击,5000|200,150,右键单击,20|", "1")])
        self.wait_for_main_window()
        self.wait_for_hotkey("none", "F6")
        counter = self.start_counter()
        self.xdotool("mousemove", "60", "700")
        code, out, _ = self.velmo("--toggle")
        self.assertEqual((code, out.strip()), (0, "状态:点击器已经启动"))
        counter.wait_for(3, guards=[self.app_guard])
        self.assertEqual(self.velmo("--toggle")[:2], (0, "状态:点击器已经停止\n"))
        clicks = counter.wait_until_quiet(0.5, guards=[self.app_guard])

        # A disabled script runs by name; --stop ends it in its long pause.
        self.assertEqual(self.velmo("--run", "两点")[0], 0)
        counter.wait_for(len(clicks) + 1, guards=[self.app_guard])
        self.assertEqual(self.velmo("--stop")[0], 0)
        self.press_return_in(self.wait_for_window(MAIN_CAPTION, guards=[self.app_guard])[0])
        self.assertEqual(counter.wait_until_quiet(1.0, guards=[self.app_guard]),
                         clicks + [(LEFT, 100, 100)])

        code, _, err = self.velmo("--run", "没有")
        self.assertEqual((code, err.strip()), (1, "没有名为“没有”的脚本。"))
        self.assertEqual(self.velmo()[0], 0)
        self.assertEqual(len(self.windows_titled(APP_TITLE)), 1)

        stop_process(app)
        code, _, err = self.velmo("--toggle")
        self.assertEqual((code, err.strip()), (1, "Velmo没有在运行: 请先启动它。"))


class CommandLineShareTest(unittest.TestCase):
    def program_with(self, scripts):
        """A portable copy of the program with `scripts` in its data.db."""
        folder = tempfile.mkdtemp(prefix="velmo-share-")
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        shutil.copy2(tool("VELMO_BINARY"), folder)
        make_data_file(os.path.join(folder, "data.db"), scripts)
        return folder

    def velmo(self, folder, *args):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        return subprocess.run([os.path.join(folder, "velmo"), *args], cwd=folder, env=env,
                              capture_output=True, text=True, timeout=30)

    @staticmethod
    def rows(folder):
        with sqlite3.connect(os.path.join(folder, "data.db")) as connection:
            return connection.execute(
                "select mpname,hotkey,mpoint,clicknum from mplist order by id").fetchall()

    def test_export_then_import_gives_identical_rows_and_a_malformed_file_adds_nothing(self):
        scripts = [("三个点", "Ctrl+F5", "100,100,左键单击,20|-1280,-5,右键双击,1000|", "3"),
                   ("空", "F7", "", "007")]
        source, target = self.program_with(scripts), self.program_with([])
        exported = os.path.join(source, "备份.txt")
        done = self.velmo(source, "--export", exported)
        self.assertEqual(done.returncode, 0, done.stderr)
        done = self.velmo(target, "--import", exported)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(self.rows(target), scripts)

        malformed = os.path.join(source, "坏.txt")
        with open(exported, encoding="utf-8") as f, open(malformed, "w", encoding="utf-8") as g:
            g.write(f.read().replace("loops=3", "loops=three"))
        refused = self.velmo(target, "--import", malformed)
        self.assertEqual(refused.returncode, 1)
        self.assertIn("第6行", refused.stderr)
        self.assertEqual(self.rows(target), scripts)


class MissingDataFileTest(AppTestCase):
    def fake_shell(self):
        """An xdg-open of our own, first on PATH, that notes the addresses it
        is asked to open instead of starting a browser."""
        folder = os.path.join(self.tmp, "bin")
        os.mkdir(folder)
        opened = os.path.join(self.tmp, "opened.txt")
        script = os.path.join(folder, "xdg-open")
        with open(script, "w", encoding="utf-8") as f:
            f.write(f"#!/bin/sh\nprintf '%s\\n' \"$@\" >> '{opened}'\n")
        os.chmod(script, os.stat(script).st_mode | stat.S_IXUSR)
        return {"PATH": folder + os.pathsep + os.environ.get("PATH", "")}, opened

    def report_windows(self):
        """Windows with the program's title that are not the main window."""
        return [window for window in self.windows_titled(APP_TITLE)
                if self.geometry(window)[2:] != MAIN_WINDOW_SIZE]

    def test_program_tells_the_user_reports_the_failed_load_and_ends(self):
        env, opened = self.fake_shell()
        process = self.start_app(data_file=False, env=env)
        notice = self.wait_for_window("提示", guards=[self.app_guard])[0]
        # Told before the main window is first shown.
        self.assertEqual(self.windows_titled(APP_TITLE), [])
        self.press_return_in(notice)

        # The list load of the first show fails and reaches the top-level
        # error report; the program waits there for the user.
        report = wait_until(self.report_windows, 20, "the error report of the failed list load",
                            [self.app_guard])[0]
        self.press_return_in(report)
        self.assertEqual(process.wait(timeout=10), 0, self.output_of(process))
        with open(opened, encoding="utf-8") as f:
            addresses = f.read().split()
        self.assertEqual(len(addresses), 1, addresses)
        self.assertTrue(addresses[0].endswith("/?error"), addresses)


if __name__ == "__main__":
    unittest.main()
