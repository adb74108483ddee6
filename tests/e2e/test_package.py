"""The Debian package, built with CPack and unpacked with dpkg-deb -x into a
scratch folder, run from there by a user who may not write it, with a
scratch HOME: its settings go to ~/.config/velmo/, its scripts to
~/.local/share/velmo/data.db, copied once from the packaged empty data.db and
never replaced. Its desktop entry and metainfo pass their validators. A
portable copy, the program with data.db beside it, keeps its files there."""

import glob
import os
import shutil
import sqlite3
import struct
import subprocess
import tempfile
import unittest

from e2e import AppTestCase, tool, wait_until

APP_ID = "example.velmo.velmo"
SAVE_BUTTON = (490, 212)  # "保存设置(&S)", relative to the main window
SAVE_MESSAGE_START = "设置保存成功"


def run(*args):
    result = subprocess.run(args, capture_output=True, timeout=300)
    output = (result.stdout + result.stderr).decode("utf-8", "replace")
    if result.returncode != 0:
        raise AssertionError(f"{' '.join(args)} failed ({result.returncode}): {output}")
    return output


def png_size(path):
    with open(path, "rb") as f:
        header = f.read(24)
    return struct.unpack(">II", header[16:24])


def read(path):
    with open(path, "rb") as f:
        return f.read()


def read_if_present(path):
    """The save action writes its eight keys one after the other."""
    return read(path) if os.path.exists(path) else b""


class PackageTest(AppTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.package_dir = tempfile.mkdtemp(prefix="velmo-deb-")
        cls.addClassCleanup(shutil.rmtree, cls.package_dir, ignore_errors=True)
        run(tool("CPACK"), "--config", tool("CPACK_CONFIG"), "-B", cls.package_dir)
        cls.deb = glob.glob(os.path.join(cls.package_dir, "*.deb"))[0]
        # Unpacked by root, so that the program's folder is not the user's to write.
        os.chmod(cls.package_dir, 0o755)
        cls.root = os.path.join(cls.package_dir, "root")
        run("dpkg-deb", "-x", cls.deb, cls.root)
        cls.share = os.path.join(cls.root, "usr", "share")

    def setUp(self):
        super().setUp()
        os.chmod(self.tmp, 0o755)
        self.home = os.path.join(self.tmp, "home")
        os.mkdir(self.home)
        # Root may write every folder: the program runs as nobody.
        self.as_user = []
        if os.geteuid() == 0:
            shutil.chown(self.home, "nobody")
            self.as_user = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "--"]

    def start_installed(self):
        program = os.path.join(self.root, "usr", "bin", "velmo")
        env = {"HOME": self.home, "XDG_CONFIG_HOME": "", "XDG_DATA_HOME": ""}
        process = self.spawn([*self.as_user, program], "velmo", cwd=self.home,
                             stdin=subprocess.DEVNULL, env=env)
        self.app_guard = self.alive_guard(process, "velmo")
        return process

    def wait_for_start_up(self):
        """The stop hotkey is the last thing start-up registers."""
        self.wait_for_main_window()
        self.wait_for_hotkey("none", "F6")

    def save_settings(self):
        left, top, _, _ = self.geometry(self.main_window)
        self.xdotool("mousemove", str(left + SAVE_BUTTON[0]), str(top + SAVE_BUTTON[1]),
                     "click", "1")

    def test_installed_copy_keeps_its_files_in_the_users_folders(self):
        config = os.path.join(self.home, ".config", "velmo")
        data = os.path.join(self.home, ".local", "share", "velmo", "data.db")
        template = os.path.join(self.share, "velmo", "data.db")

        first = self.start_installed()
        self.wait_for_start_up()
        self.assertEqual(read(data), read(template))
        self.assertEqual(os.stat(data).st_uid, os.stat(self.home).st_uid)
        self.save_settings()
        settings = os.path.join(config, "setting.ini")
        wait_until(lambda: b"ypos=0" in read_if_present(settings), 10,
                   "the eight settings in ~/.config/velmo/setting.ini", [self.app_guard])
        first.terminate()
        first.wait(10)

        connection = sqlite3.connect(data)
        with connection:
            connection.execute("insert into mplist (mpname,hotkey,mpoint,clicknum) "
                               "values ('mine','F7','1,2,左键单击,10|','1')")
        connection.close()
        scripts = read(data)

        self.start_installed()
        self.wait_for_start_up()
        self.assertEqual(read(data), scripts, "the second start replaced the user's data.db")
        # The first-run copy of setting.ini sits beside it, not in the working folder.
        self.assertTrue(os.path.exists(os.path.join(config, "main.ini")))
        self.assertFalse(os.path.exists(os.path.join(self.home, "main.ini")))
        written = [name for name in ("setting.ini", "main.ini", "data.db")
                   if os.path.exists(os.path.join(self.root, "usr", "bin", name))]
        self.assertEqual(written, [])

    def test_menu_entry_metainfo_and_icons(self):
        desktop = os.path.join(self.share, "applications", f"{APP_ID}.desktop")
        self.assertEqual(run("desktop-file-validate", desktop), "")
        run("appstreamcli", "validate", "--no-net", os.path.join(self.share, "metainfo",
                                                                 f"{APP_ID}.metainfo.xml"))
        entry = dict(line.split("=", 1) for line in read(desktop).decode().splitlines()
                     if "=" in line)
        self.assertEqual((entry["Exec"], entry["Icon"]), ("velmo", APP_ID))
        icons = os.path.join(self.share, "icons", "hicolor")
        for size in (48, 128):
            self.assertEqual(png_size(os.path.join(icons, f"{size}x{size}", "apps",
                                                   f"{APP_ID}.png")), (size, size))
        self.assertTrue(os.path.exists(os.path.join(icons, "scalable", "apps", f"{APP_ID}.svg")))
        depends = run("dpkg-deb", "-f", self.deb, "Depends")
        for package in ("xdg-utils", "fonts-wqy-microhei", "libwxgtk3.2", "libsqlite3"):
            self.assertIn(package, depends)

    def test_portable_copy_keeps_its_files_beside_the_program(self):
        self.start_app(env={"HOME": self.home})
        self.wait_for_start_up()
        self.save_settings()
        settings = os.path.join(self.tmp, "app", "setting.ini")
        wait_until(lambda: b"ypos=0" in read_if_present(settings), 10,
                   "the eight settings in setting.ini beside the program", [self.app_guard])
        # The browser engine keeps its own files in ~/.local/share/velmo/.
        for name in (".config/velmo/setting.ini", ".local/share/velmo/data.db"):
            self.assertFalse(os.path.exists(os.path.join(self.home, name)), name)


if __name__ == "__main__":
    unittest.main()
