"""The Debian package, built with CPack, unpacked with dpkg-deb -x and run
from there as a user who may not write it, with a scratch HOME: settings go
to ~/.config/velmo/, scripts to ~/.local/share/velmo/data.db, copied once from
the packaged empty data.db and never replaced. A portable copy keeps its
files beside it."""

import glob
import os
import shutil
import sqlite3
import subprocess
import tempfile
import unittest

from e2e import AppTestCase, tool, wait_until

APP_ID = "example.velmo.velmo"
SAVE_BUTTON = (490, 212)  # "保存设置(&S)", relative to the main window


def run(*args):
    result = subprocess.run(args, capture_output=True, timeout=300)
    output = (result.stdout + result.stderr).decode("utf-8", "replace")
    if result.returncode != 0:
        raise AssertionError(f"{' '.join(args)} failed ({result.returncode}): {output}")
    return output


def read(path):
    """b"" for a missing file."""
    if not os.path.exists(path):
        return b""
    with open(path, "rb") as f:
        return f.read()


class PackageTest(AppTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.package_dir = tempfile.mkdtemp(prefix="velmo-deb-")
        cls.addClassCleanup(shutil.rmtree, cls.package_dir, ignore_errors=True)
        os.chmod(cls.package_dir, 0o755)
        run(tool("CPACK"), "--config", tool("CPACK_CONFIG"), "-B", cls.package_dir)
        cls.deb = glob.glob(os.path.join(cls.package_dir, "*.deb"))[0]
        cls.root = os.path.join(cls.package_dir, "root")
        run("dpkg-deb", "-x", cls.deb, cls.root)
        cls.share = os.path.join(cls.root, "usr", "share")

    def setUp(self):
        super().setUp()
        os.chmod(self.tmp, 0o755)
        self.home = os.path.join(self.tmp, "home")
        os.mkdir(self.home)
        # Root may write any folder, so the program runs as nobody.
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
        self.wait_for_start_up()
        return process

    def wait_for_start_up(self):
        """The stop hotkey is the last thing start-up registers."""
        self.wait_for_main_window()
        self.wait_for_hotkey("none", "F6")

    def save_settings(self, settings):
        left, top, _, _ = self.geometry(self.main_window)
        self.xdotool("mousemove", str(left + SAVE_BUTTON[0]), str(top + SAVE_BUTTON[1]),
                     "click", "1")
        # The eight keys are written one after the other.
        wait_until(lambda: b"ypos=0" in read(settings), 10, f"the eight settings in {settings}",
                   [self.app_guard])

    def test_installed_copy_keeps_its_files_in_the_users_folders(self):
        config = os.path.join(self.home, ".config", "velmo")
        data = os.path.join(self.home, ".local", "share", "velmo", "data.db")
        first = self.start_installed()
        self.assertEqual(read(data), read(os.path.join(self.share, "velmo", "data.db")))
        self.assertEqual(os.stat(data).st_uid, os.stat(self.home).st_uid)
        self.save_settings(os.path.join(config, "setting.ini"))
        first.terminate()
        first.wait(10)

        with sqlite3.connect(data) as connection:
            connection.execute("insert into mplist (mpname,hotkey,mpoint,clicknum) "
                               "values ('mine','F7','1,2,左键单击,10|','1')")
        connection.close()
        scripts = read(data)
        self.start_installed()
        self.assertEqual(read(data), scripts, "the second start replaced the user's data.db")
        self.assertNotEqual(read(os.path.join(config, "main.ini")), b"")
        self.assertEqual(os.listdir(os.path.join(self.root, "usr", "bin")), ["velmo"])

    def test_menu_entry_and_metainfo_pass_their_validators(self):
        desktop = os.path.join(self.share, "applications", f"{APP_ID}.desktop")
        self.assertEqual(run("desktop-file-validate", desktop), "")
        run("appstreamcli", "validate", "--no-net",
            os.path.join(self.share, "metainfo", f"{APP_ID}.metainfo.xml"))
        self.assertIn(f"\nIcon={APP_ID}\n", read(desktop).decode())
        for size in ("48x48", "128x128"):
            icon = os.path.join(self.share, "icons", "hicolor", size, "apps", f"{APP_ID}.png")
            self.assertIn(size.replace("x", " x "), run("file", icon))
        depends = run("dpkg-deb", "-f", self.deb, "Depends")
        for package in ("xdg-utils", "fonts-wqy-microhei", "libwxgtk3.2", "libsqlite3", "bubblewrap",
                        "xdg-dbus-proxy"):
            self.assertIn(package, depends)

    def test_portable_copy_keeps_its_files_beside_the_program(self):
        self.start_app(env={"HOME": self.home})
        self.wait_for_start_up()
        self.save_settings(os.path.join(self.tmp, "app", "setting.ini"))
        # The browser engine keeps its own files in ~/.local/share/velmo/.
        for name in (".config/velmo/setting.ini", ".local/share/velmo/data.db"):
            self.assertFalse(os.path.exists(os.path.join(self.home, name)), name)


if __name__ == "__main__":
    unittest.main()
