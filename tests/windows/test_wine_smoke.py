"""velmo.exe under wine on a private Xvfb: it starts with its Chinese title,
draws its Chinese texts, clicks with Ctrl+F3 into a Win32 counter window and
runs a script from data.db on its hotkey until F6 stops it, and stores a
click recorded in the add dialog. Under wine a
global hotkey fires only while a wine window has the focus and synthesised
clicks reach wine windows only, so the counter is a Windows program too and
holds the focus while keys are pressed.

Tools come from CTest: VELMO_BINARY (velmo.exe), WINE_COUNTER (the counter
.exe), VELMO_SCHEMA, WINE, and SCREENSHOT (where the screenshot is kept)."""

import os
import re
import shutil
import sqlite3
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from e2e import (APP_TITLE, MAIN_CAPTION, AppTestCase, Counter, LineReader,  # noqa: E402
                 make_data_file, settings_bytes, tool, wait_until)

LEFT, RIGHT = 1, 3
# The UI fonts wine's dialogs and wx ask for, all drawn with a font that has
# the Chinese characters.
UI_FONTS = ("Tahoma", "MS Shell Dlg", "MS Shell Dlg 2", "Segoe UI", "SimSun", "宋体",
            "Microsoft YaHei", "微软雅黑")
CHINESE_FONT = "WenQuanYi Micro Hei"
# The counter covers the top of the screen, above where the main window shows.
COUNTER_AREA = (0, 0, 1024, 120)
EDITOR = "添加多坐标点击"


def wine_prefix():
    """The prefix scripts/windows/test.sh made, or one of our own kept beside
    the Windows dependencies: making one takes half a minute."""
    if os.environ.get("WINEPREFIX"):
        return os.environ["WINEPREFIX"]
    cache = os.environ.get("VELMO_WIN_CACHE") or os.path.join(
        os.environ.get("XDG_CACHE_HOME") or os.path.expanduser("~/.cache"), "velmo-windows")
    return os.path.join(cache, "wineprefix")


class WineSmokeTest(AppTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.wine_env = {
            "WINEPREFIX": wine_prefix(), "WINEDEBUG": "-all",
            # No installer dialog for wine's .NET add-on.
            "WINEDLLOVERRIDES": "mscoree=",
        }
        for font in UI_FONTS:
            cls.reg_add(r"HKCU\Software\Wine\Fonts\Replacements", font, "REG_SZ", CHINESE_FONT)

    @classmethod
    def reg_add(cls, key, name, kind, data):
        subprocess.run([tool("WINE"), "reg", "add", key, "/v", name, "/t", kind, "/d", data, "/f"],
                       env=dict(cls.x.env, **cls.wine_env), check=True, capture_output=True,
                       timeout=180)

    def wine(self, args, name, cwd=None, env=None):
        return self.spawn([tool("WINE"), *args], name, cwd=cwd,
                          env=dict(self.wine_env, **(env or {})))

    def start_counter(self):
        path = os.path.join(self.tmp, "clicks.txt")
        process = self.wine([tool("WINE_COUNTER"), path, *map(str, COUNTER_AREA)], "counter")
        line = LineReader(process, "counter").read_line(60)
        self.assertEqual(line.strip(), "ready", f"counter: {self.output_of(process)}")
        return Counter(path, self.alive_guard(process, "counter"))

    def start_app(self, settings, scripts, env=None):
        folder = os.path.join(self.tmp, "app")
        os.mkdir(folder)
        shutil.copy2(tool("VELMO_BINARY"), os.path.join(folder, "velmo.exe"))
        make_data_file(os.path.join(folder, "data.db"), scripts)
        with open(os.path.join(folder, "setting.ini"), "wb") as f:
            f.write(settings_bytes(settings))
        process = self.wine(["velmo.exe"], "velmo", cwd=folder, env=env)
        self.app_guard = self.alive_guard(process, "velmo")
        return process

    def focus_counter(self):
        window = self.wait_for_window("clickcounter", guards=[self.app_guard])[0]
        self.xdotool("windowfocus", "--sync", window)

    def pixel(self, x, y):
        """The colour of one pixel of the screen, as ImageMagick writes it."""
        result = self.run_tool("import", "-window", "root", "-crop", f"1x1+{x}+{y}", "txt:-")
        return result.stdout.decode().splitlines()[-1].split()[-1]

    @staticmethod
    def client_at(window, client_width, client_height):
        """Where a point of a window's client area is on the screen, inside
        wine's frame: the frame is as wide on the left as on the right and
        below, the caption takes the rest of the height."""
        left, top, width, height = window
        frame_x = (width - client_width) // 2
        frame_y = height - client_height - frame_x
        return lambda x, y: (left + frame_x + x, top + frame_y + y)

    def click_at(self, point):
        self.xdotool("mousemove", *map(str, point), "click", "1")
        time.sleep(0.5)

    def show_script_page(self, main_window):
        """The script page, as in the Linux tests but inside wine's window
        frame; returns where its points are on the screen. The window is
        mapped before it is first drawn, and a click then may land on the
        banner, which opens the web window: the banner's blue is awaited
        first. Then the tab is clicked until the script list's grey border
        shows where the first page is white, in the main window and not in
        one over it."""
        at = self.client_at(self.geometry(main_window), 560, 461)

        def on_script_page():
            self.click_at(at(150, 105))
            border = at(17, 200)
            return (self.pixel(*border) not in ("white", "black")
                    and not self.windows_over(border, main_window))

        wait_until(lambda: self.pixel(*at(68, 19)) != "black", 60, "the banner to be drawn",
                   [self.app_guard])
        wait_until(on_script_page, 60, "the script page", [self.app_guard])
        return at

    def enable_first_script(self, main_window):
        """The first row selected and "启用(&S)" pressed."""
        at = self.show_script_page(main_window)
        self.click_at(at(115, 167))
        self.click_at(at(408, 333))

    def test_lays_out_at_the_screens_dpi(self):
        """At 150 % (144 DPI) Windows draws the text half as large again, and
        the layout grows with it: the main window is 1.5 times its 560-px
        width, not 560 px with clipped texts."""
        desktop = r"HKCU\Control Panel\Desktop"
        self.reg_add(desktop, "LogPixels", "REG_DWORD", "144")
        self.addCleanup(self.reg_add, desktop, "LogPixels", "REG_DWORD", "96")
        self.start_app(settings=[("click", "0")], scripts=[])
        main_window = wait_until(lambda: self.windows_titled(APP_TITLE), 120,
                                 f"a window titled {APP_TITLE!r}", [self.app_guard])[0]
        _, _, width, height = self.geometry(main_window)
        self.assertEqual(width, 840)
        self.assertGreaterEqual(height, 461 * 3 // 2)

    def test_starts_clicks_and_runs_a_script(self):
        # Wine's relay channel logs the program's requests of the 1-ms tick.
        self.reg_add(r"HKCU\Software\Wine\Debug", "RelayInclude", "REG_SZ",
                     "winmm.timeBeginPeriod;winmm.timeEndPeriod")
        app = self.start_app(settings=[("click", "0"), ("time", "0.1")], scripts=[
            ("两个点", "Ctrl+F5", "300,60,左键单击,200|700,60,右键单击,200|", "1000"),
        ], env={"WINEDEBUG": "-all,+relay"})
        tick_calls = lambda: re.findall(r"Call winmm\.time(Begin|End)Period\(0*1\)",
                                        self.output_of(app))
        main_window = wait_until(lambda: self.windows_titled(APP_TITLE), 120,
                                 f"a window titled {APP_TITLE!r}", [self.app_guard])[0]
        self.enable_first_script(main_window)
        shot = os.environ.get("SCREENSHOT")
        if shot:
            self.run_tool("import", "-window", "root", shot)

        # The single-point clicker, at the cursor over the counter, holds the
        # 1-ms tick while it runs, and only then.
        counter = self.start_counter()
        self.xdotool("mousemove", "512", "60")
        self.focus_counter()
        self.assertEqual(tick_calls(), [])
        self.xdotool("key", "ctrl+F3")
        counter.wait_for(5, timeout=20, guards=[self.app_guard])
        self.assertEqual(tick_calls(), ["Begin"])
        self.xdotool("key", "ctrl+F3")
        presses = counter.wait_until_quiet(1.5, guards=[self.app_guard])
        self.assertEqual(tick_calls(), ["Begin", "End"])
        self.assertEqual(set(presses), {(LEFT, 512, 60)})
        ticks = counter.ticks()
        print(f"single-point clicks every {(ticks[-1] - ticks[0]) / (len(ticks) - 1):.0f} ms"
              " (set: 100 ms)", file=sys.stderr)

        # The script, on its own hotkey; F6 stops it with the stop message.
        start = len(presses)
        self.xdotool("key", "ctrl+F5")
        counter.wait_for(start + 4, timeout=20, guards=[self.app_guard])
        self.xdotool("key", "F6")
        self.wait_for_window(MAIN_CAPTION, timeout=20, guards=[self.app_guard])
        run = counter.wait_until_quiet(1.5, guards=[self.app_guard])[start:]
        self.assertGreaterEqual(len(run), 4)
        expected = [(LEFT, 300, 60), (RIGHT, 700, 60)] * len(run)
        self.assertEqual(run, expected[:len(run)])

    def editor_on_top(self):
        """The add dialog once shown; without a window manager wine may leave
        it under the main window without the focus, so it is raised and
        focused."""
        editor = self.wait_for_window(EDITOR, guards=[self.app_guard])[0]
        time.sleep(2)
        self.xdotool("windowraise", editor)
        self.xdotool("windowfocus", "--sync", editor)
        time.sleep(1)
        return editor

    def test_a_recorded_click_is_stored(self):
        """录制 in the add dialog, one click on the counter through the
        low-level hook, Esc; the dialog comes back and 确定 stores the point."""
        self.start_app(settings=[("click", "0")], scripts=[])
        main_window = wait_until(lambda: self.windows_titled(APP_TITLE), 120,
                                 f"a window titled {APP_TITLE!r}", [self.app_guard])[0]
        self.start_counter()
        page = self.show_script_page(main_window)
        self.click_at(page(51, 333))
        editor = self.editor_on_top()
        self.click_at(self.client_at(self.geometry(editor), 356, 414)(58, 393))
        wait_until(lambda: not self.windows_titled(EDITOR), 20, "the editor to step aside",
                   [self.app_guard])
        self.xdotool("mousemove", "512", "60", "click", "1")
        self.focus_counter()
        self.xdotool("key", "Escape")
        editor = self.editor_on_top()
        at = self.client_at(self.geometry(editor), 356, 414)
        self.click_at(at(219, 37))
        self.xdotool("type", "rec")
        self.click_at(at(356 - 142, 393))
        wait_until(lambda: not self.windows_titled(EDITOR), 20, "the editor to close",
                   [self.app_guard])
        with sqlite3.connect(os.path.join(self.tmp, "app", "data.db")) as db:
            self.assertEqual(db.execute("select mpname,mpoint from mplist").fetchall(),
                             [("rec", "512,60,左键单击,1000|")])

    def test_key_mode_presses_the_key_in_the_focused_window(self):
        self.start_app(settings=[("keypress", "Space"), ("click", "0"), ("time", "0.1")],
                       scripts=[])
        wait_until(lambda: self.windows_titled(APP_TITLE), 120, f"a window titled {APP_TITLE!r}",
                   [self.app_guard])
        counter = self.start_counter()
        self.xdotool("mousemove", "512", "60")
        self.focus_counter()
        self.xdotool("key", "ctrl+F3")
        spaces = lambda: [fields[1] for fields in counter.events("key") if fields[1] == "32"]
        wait_until(lambda: len(spaces()) >= 5, 20, "five presses of Space",
                   [counter.guard, self.app_guard])
        self.xdotool("key", "ctrl+F3")
        counter.wait_until_quiet(1.5, guards=[self.app_guard])
        self.assertEqual(counter.presses(), [])


if __name__ == "__main__":
    unittest.main()
