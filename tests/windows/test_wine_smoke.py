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
import struct
import subprocess
import sys
import time
import unittest
import zipfile
from pathlib import Path

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
APP_NAME = "Velmo鼠标自动点击器"


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

    def test_command_line_drives_the_running_program(self):
        """`velmo.exe --toggle` starts and stops the clicker of the running
        program, `--run` refuses an unknown script, a second plain start
        leaves the first alone."""
        self.start_app(settings=[("click", "0"), ("time", "0.1")], scripts=[])
        wait_until(lambda: self.windows_titled(APP_TITLE), 120, f"a window titled {APP_TITLE!r}",
                   [self.app_guard])
        counter = self.start_counter()
        self.xdotool("mousemove", "512", "60")
        self.focus_counter()

        def velmo(*args):
            result = subprocess.run([tool("WINE"), "velmo.exe", *args], cwd=os.path.join(
                self.tmp, "app"), env=dict(self.x.env, **self.wine_env), capture_output=True,
                timeout=120)
            return result.returncode, result.stdout.decode("utf-8", "replace").strip()

        self.assertEqual(velmo("--toggle"), (0, "状态:点击器已经启动"))
        counter.wait_for(5, timeout=20, guards=[self.app_guard])
        self.assertEqual(velmo("--toggle"), (0, "状态:点击器已经停止"))
        self.assertEqual(set(counter.wait_until_quiet(1.5, guards=[self.app_guard])),
                         {(LEFT, 512, 60)})
        self.assertEqual(velmo("--run", "没有")[0], 1)
        self.assertEqual(velmo()[0], 0)
        self.assertEqual(len(self.windows_titled(APP_TITLE)), 1)




def version_resource(path):
    """A file's version numbers (low half of each word first) and texts."""
    data = Path(path).read_bytes()
    start = data.index("VS_VERSION_INFO".encode("utf-16-le"))
    fixed = data.index(struct.pack("<I", 0xFEEF04BD), start)

    def value(key):
        at = data.index(f"{key}\0".encode("utf-16-le"), fixed) + 2 * len(key) + 2
        at += at % 4  # a value starts on a 32-bit boundary
        return data[at:at + 200].decode("utf-16-le", "replace").split("\0")[0]
    return struct.unpack_from("<8H", data, fixed + 8), value


class WineSetupTest(AppTestCase):
    """Each test in a fresh wine prefix of a user named after USER, on a Chinese
    system (elsewhere wine's shell links lose the name's characters)."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        subprocess.run(["localedef", "-i", "zh_CN", "-f", "UTF-8",
                        os.path.join(cls.server_dir, "zh_CN.UTF-8")], check=True)

    def setUp(self):
        super().setUp()
        self.wine_env = {"WINEPREFIX": os.path.join(self.tmp, "prefix"), "USER": "张三",
                         "HOME": self.tmp, "WINEDEBUG": "-all", "LOCPATH": self.server_dir,
                         "LANG": "zh_CN.UTF-8", "LC_ALL": "zh_CN.UTF-8",
                         "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d"}
        self.addCleanup(self.wine, "wineserver", "-k")
        self.wine("wineboot", "-i")
        self.user = os.path.join(self.wine_env["WINEPREFIX"], "drive_c", "users", "张三")
        self.app_data = os.path.join(self.user, "AppData", "Roaming", "Velmo")

    def wine(self, *args, cwd=None):
        return subprocess.run(args, env=dict(self.x.env, **self.wine_env), cwd=cwd,
                              capture_output=True, timeout=300)

    def start(self, *args, cwd=None, wait_for="setting.ini", folder=None):
        """Presses 保存设置 until `wait_for` is in `folder`, then ends wine."""
        self.spawn([tool("WINE"), *args], "velmo", cwd=cwd, env=self.wine_env)
        window = wait_until(lambda: self.windows_titled(APP_TITLE), 120, "the main window")[0]
        at = WineSmokeTest.client_at(self.geometry(window), 560, 461)
        path = os.path.join(folder or self.app_data, wait_for)
        wait_until(lambda: (self.xdotool("mousemove", *map(str, at(493, 205)), "click", "1"),
                            time.sleep(1), os.path.exists(path))[-1], 60, path)
        self.wine("wineserver", "-k")

    def test_the_portable_copy_keeps_everything_beside_the_program(self):
        folder = os.path.join(self.wine_env["WINEPREFIX"], "drive_c", "便携版")
        with zipfile.ZipFile(tool("VELMO_ZIP")) as archive:
            archive.extractall(folder)
        self.start("velmo.exe", cwd=folder, folder=folder)
        self.assertFalse(os.path.exists(self.app_data))

    def test_installs_runs_keeps_the_data_and_uninstalls(self):
        key = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmo"
        program = os.path.join(self.user, "AppData", "Local", "Programs", "Velmo")
        menu_link = (r"C:\users\张三\AppData\Roaming\Microsoft\Windows\Start Menu\Programs"
                     f"\\{APP_NAME}.lnk")
        links = [os.path.join(self.wine_env["WINEPREFIX"], "drive_c", *menu_link[3:].split("\\")),
                 os.path.join(self.user, "Desktop", APP_NAME + ".lnk")]
        self.assertEqual(self.wine(tool("WINE"), tool("VELMO_SETUP"), "/S").returncode, 0)
        self.assertEqual(sorted(os.listdir(program)), ["template", "uninstall.exe", "velmo.exe"])
        self.assertTrue(all(map(os.path.isfile, links)), links)
        entry = self.wine(tool("WINE"), "reg", "query", key).stdout.decode("gbk")  # code page 936
        for value in (f"DisplayName    REG_SZ    {APP_NAME}", "Publisher", "DisplayIcon",
                      "DisplayVersion    REG_SZ    " + os.environ["VELMO_VERSION"],
                      "EstimatedSize", "UninstallString"):
            self.assertIn(value, entry)
        # The icon's last picture, as each file's icon resource holds it.
        icon = Path(tool("VELMO_ICON")).read_bytes()[-512:]
        for path in (tool("VELMO_SETUP"), os.path.join(program, "uninstall.exe")):
            self.assertIn(icon, Path(path).read_bytes(), path)

        # Started from the Start menu, as a user would, twice: the second start
        # keeps a script added in between, and makes main.ini beside setting.ini.
        self.start("start", menu_link)
        with sqlite3.connect(os.path.join(self.app_data, "data.db")) as db:
            db.execute("insert into mplist (mpname,hotkey,mpoint,clicknum) values "
                       "('甲','Ctrl+F5','1,2,左键单击,20|','1')")
        self.start("start", menu_link, wait_for="main.ini")
        velmo = os.path.join(program, "velmo.exe")
        exported = self.wine(tool("WINE"), velmo, "--export", "s.txt", cwd=self.tmp)
        self.assertEqual(exported.returncode, 0)
        self.assertIn("name=甲", Path(self.tmp, "s.txt").read_text(encoding="utf-8"))

        uninstall = os.path.join(program, "uninstall.exe")
        self.assertEqual(self.wine(tool("WINE"), uninstall, "/S").returncode, 0)
        self.wine("wineserver", "-w")  # the uninstaller goes on from a copy of itself
        self.assertFalse(any(map(os.path.exists, [program, *links])))
        self.assertNotEqual(self.wine(tool("WINE"), "reg", "query", key).returncode, 0)
        self.assertEqual(sorted(os.listdir(self.app_data)), ["data.db", "main.ini", "setting.ini"])

    def test_the_program_and_its_setup_say_what_they_are(self):
        major, minor = map(int, os.environ["VELMO_VERSION"].split("."))
        for path in (tool("VELMO_BINARY"), tool("VELMO_SETUP")):
            numbers, value = version_resource(path)
            self.assertEqual(numbers, (minor, major, 0, 0) * 2, path)
            self.assertEqual((value("ProductName"), value("FileVersion")),
                             (APP_NAME, os.environ["VELMO_VERSION"]))
        self.assertEqual(version_resource(tool("VELMO_BINARY"))[1]("FileDescription"), APP_NAME)
        self.assertIn(Path(tool("VELMO_ICON")).read_bytes()[-512:],
                      Path(tool("VELMO_BINARY")).read_bytes())

if __name__ == "__main__":
    unittest.main()
