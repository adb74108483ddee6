"""The real program started, as an ordinary user, on damaged files beside
it: it must not crash, must say what it says in its own message boxes, and
must leave data.db and setting.ini byte for byte as they were."""

import hashlib
import os
import shutil
import sqlite3
import stat
import subprocess

from e2e import APP_TITLE, HOLDKEY_HELD, AppTestCase, make_data_file, settings_bytes, tool, \
    wait_until

NOBODY = 65534
# Garbage that is the same at every run.
GARBAGE = bytes((i * 167 + 13) % 256 for i in range(4096))


def table_without_columns(path):
    connection = sqlite3.connect(path)
    connection.executescript("CREATE TABLE mplist (id INTEGER PRIMARY KEY, mpname TEXT);"
                             "INSERT INTO mplist (mpname) VALUES ('a');")
    connection.commit()
    connection.close()


def table_with_nulls(path):
    connection = sqlite3.connect(path)
    connection.executescript(
        "CREATE TABLE mplist (id INTEGER PRIMARY KEY AUTOINCREMENT, mpname TEXT, hotkey TEXT,"
        " mpoint TEXT, clicknum TEXT);"
        "INSERT INTO mplist (mpname, hotkey, mpoint, clicknum) VALUES (NULL, NULL, NULL, NULL);")
    connection.commit()
    connection.close()


def huge_fields(path):
    big = "x" * (1 << 20)
    make_data_file(path, [(big, "F9", "1,1,左键单击,1|" * 40000, big)])


def truncated(path):
    huge_fields(path)
    with open(path, "r+b") as f:
        f.truncate(os.path.getsize(path) // 2)


# name: (how data.db is made, setting.ini bytes or None, setting.ini mode,
#        whether a start must end in the error report)
CASES = {
    "garbage data.db": (lambda p: open(p, "wb").write(GARBAGE), None, None, True),
    "truncated data.db": (truncated, None, None, True),
    "zero-byte data.db": (lambda p: open(p, "wb").close(), None, None, True),
    "data.db without columns": (table_without_columns, None, None, True),
    "data.db with NULLs": (table_with_nulls, None, None, None),
    "data.db with 1 MB fields": (huge_fields, None, None, False),
    "garbage setting.ini": (make_data_file, GARBAGE, None, None),
    "huge setting.ini": (make_data_file, settings_bytes([("time", "0.1")]) +
                         (b"; " + b"x" * 1000 + b"\r\n") * 10000, None, False),
    "invalid-GBK setting.ini": (make_data_file, b"[setting]\nbtn1=\x81\nhotkey1=Alt\n", None,
                                False),
    "setting.ini with a bad number": (make_data_file, b"[setting]\r\ntime=7\x81\r\n", None, True),
    "read-only setting.ini": (make_data_file, settings_bytes([("click", "5")]), 0o444, False),
}


def digest(path):
    if not os.path.exists(path):
        return None
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


class BadFilesTest(AppTestCase):
    def start_as_user(self, folder):
        """The program in `folder`, run as nobody when we are root."""
        binary = os.path.join(folder, "velmo")
        shutil.copy2(tool("VELMO_BINARY"), binary)
        home = os.path.join(folder, "home")
        os.mkdir(home)
        command = [binary]
        if os.geteuid() == 0:
            os.chmod(self.tmp, 0o755)
            for root, dirs, files in os.walk(folder):
                for name in [root] + [os.path.join(root, n) for n in dirs + files]:
                    os.chown(name, NOBODY, NOBODY, follow_symlinks=False)
            command = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", binary]
        process = self.spawn(command, "velmo", cwd=folder, stdin=subprocess.DEVNULL,
                             env={"HOME": home})
        self.app_guard = self.alive_guard(process, "velmo")
        return process

    def run_case(self, name, make_data, settings, mode, reports):
        folder = os.path.join(self.tmp, "app")
        shutil.rmtree(folder, ignore_errors=True)
        os.mkdir(folder)
        data, ini = os.path.join(folder, "data.db"), os.path.join(folder, "setting.ini")
        make_data(data)
        if settings is not None:
            with open(ini, "wb") as f:
                f.write(settings)
        process = self.start_as_user(folder)
        if mode is not None:
            os.chmod(ini, mode)
        before = (digest(data), digest(ini), mode and stat.S_IMODE(os.stat(ini).st_mode))

        self.wait_for_window(APP_TITLE, guards=[self.app_guard])
        # Message boxes are short; the main window is over 400 pixels high.
        # The first showing ends with the stop hotkey's grab, unless an error
        # report, which it holds modally, comes first.
        def settled():
            report = [w for w in self.windows_titled(APP_TITLE) if self.geometry(w)[3] < 300]
            return (report,) if report or self.probe_key("none", "F6") == HOLDKEY_HELD else None
        report = wait_until(settled, 30, f"{name}: the first showing to end",
                            [self.app_guard])[0]
        if reports is not None:
            self.assertEqual(bool(report), reports, f"{name}: error report shown")
        for window in report:
            self.press_return_in(window)
        wait_until(lambda: len(self.windows_titled(APP_TITLE)) == 1, 10,
                   f"{name}: the main window alone", [self.app_guard])
        self.assertIsNone(process.poll(), f"{name}: {self.output_of(process)}")
        after = (digest(data), digest(ini), mode and stat.S_IMODE(os.stat(ini).st_mode))
        self.assertEqual(after, before, f"{name}: files changed")
        return process

    def test_damaged_files_are_reported_and_left_as_they_were(self):
        for name, (make_data, settings, mode, reports) in CASES.items():
            with self.subTest(name):
                process = self.run_case(name, make_data, settings, mode, reports)
                if name == "invalid-GBK setting.ini":
                    # The stray lead byte of btn1 hides no line: hotkey1=Alt is read.
                    self.wait_for_hotkey("alt", "F3")
                process.terminate()
                process.wait(10)

    def test_locked_data_file_is_reported(self):
        folder = os.path.join(self.tmp, "app")
        os.mkdir(folder)
        data = os.path.join(folder, "data.db")
        make_data_file(data)
        before = digest(data)
        lock = sqlite3.connect(data, isolation_level=None)
        lock.execute("BEGIN EXCLUSIVE")
        self.addCleanup(lock.close)
        self.start_as_user(folder)
        self.wait_for_window(APP_TITLE, guards=[self.app_guard])
        wait_until(lambda: len(self.windows_titled(APP_TITLE)) == 2, 20,
                   "the error report beside the main window", [self.app_guard])
        lock.rollback()
        self.assertEqual(digest(data), before)


if __name__ == "__main__":
    import unittest
    unittest.main()
