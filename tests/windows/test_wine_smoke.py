"""velmo.exe under wine on a private Xvfb: it starts with its Chinese title,
draws its Chinese texts, clicks with Ctrl+F3 into a Win32 counter window and
runs a script from data.db on its hotkey until F6 stops it. Under wine a
global hotkey fires only while a wine window has the focus and synthesised
clicks reach wine windows only, so the counter is a Windows program too and
holds the focus while keys are pressed.

Tools come from CTest: VELMO_BINARY (velmo.exe), WINE_COUNTER (the counter
.exe), VELMO_SCHEMA, WINE, and SCREENSHOT (where the screenshot is kept)."""

import os
import shutil
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

    def wine(self, args, name, cwd=None):
        return self.spawn([tool("WINE"), *args], name, cwd=cwd, env=self.wine_env)

    def start_counter(self):
        path = os.path.join(self.tmp, "clicks.txt")
        process = self.wine([tool("WINE_COUNTER"), path, *map(str, COUNTER_AREA)], "counter")
        line = LineReader(process, "counter").read_line(60)
        self.assertEqual(line.strip(), "ready", f"counter: {self.output_of(process)}")
        return Counter(path, self.alive_guard(process, "counter"))

    def start_app(self, settings, scripts):
        folder = os.path.join(self.tmp, "app")
        os.mkdir(folder)
        shutil.copy2(tool("VELMO_BINARY"), os.path.join(folder, "velmo.exe"))
        make_data_file(os.path.join(folder, "data.db"), scripts)
        with open(os.path.join(folder, "setting.ini"), "wb") as f:
            f.write(settings_bytes(settings))
        process = self.wine(["velmo.exe"], "velmo", cwd=folder)
        self.app_guard = self.alive_guard(process, "velmo")
        return process

    def focus_counter(self):
        window = self.wait_for_window("clickcounter", guards=[self.app_guard])[0]
        self.xdotool("windowfocus", "--sync", window)

    def pixel(self, x, y):
        """The colour of one pixel of the screen, as ImageMagick writes it."""
        result = self.run_tool("import", "-window", "root", "-crop", f"1x1+{x}+{y}", "txt:-")
        return result.stdout.decode().splitlines()[-1].split()[-1]

    def enable_first_script(self, main_window):
        """The script page, its first row selected, "启用(&S)" pressed: as in
        the Linux tests, but inside wine's window frame. The window is mapped
        before it is first drawn, and a click then may land on the banner,
        which opens the web window: the banner's blue is awaited first. Then
        the tab is clicked until the script list's grey border shows where
        the first page is white, in the main window and not in one over it."""
        left, top, width, height = self.geometry(main_window)
        frame_x = (width - 560) // 2
        frame_y = height - 461 - frame_x

        def at(x, y):
            return left + frame_x + x, top + frame_y + y

        def click(x, y):
            self.xdotool("mousemove", *map(str, at(x, y)), "click", "1")
            time.sleep(0.5)

        def on_script_page():
            click(150, 105)
            border = at(17, 200)
            return (self.pixel(*border) not in ("white", "black")
                    and not self.windows_over(border, main_window))

        wait_until(lambda: self.pixel(*at(68, 19)) != "black", 60, "the banner to be drawn",
                   [self.app_guard])
        wait_until(on_script_page, 60, "the script page", [self.app_guard])
        click(115, 167)
        click(408, 333)

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
        self.start_app(settings=[("click", "0"), ("time", "0.1")], scripts=[
            ("两个点", "Ctrl+F5", "300,60,左键单击,200|700,60,右键单击,200|", "1000"),
        ])
        main_window = wait_until(lambda: self.windows_titled(APP_TITLE), 120,
                                 f"a window titled {APP_TITLE!r}", [self.app_guard])[0]
        self.enable_first_script(main_window)
        shot = os.environ.get("SCREENSHOT")
        if shot:
            self.run_tool("import", "-window", "root", shot)

        # The single-point clicker, at the cursor over the counter.
        counter = self.start_counter()
        self.xdotool("mousemove", "512", "60")
        self.focus_counter()
        self.xdotool("key", "ctrl+F3")
        counter.wait_for(5, timeout=20, guards=[self.app_guard])
        self.xdotool("key", "ctrl+F3")
        presses = counter.wait_until_quiet(1.5, guards=[self.app_guard])
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
