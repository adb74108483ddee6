"""The program on GNOME's and KDE's compositors, mutter and KWin, each run
headless with Xwayland on a private session bus (as nobody when we are root,
like sway in sway.py): it starts, shows its main window and says on stderr
what works there. Neither offers the wlroots virtual pointer and no desktop
portal backend runs beside them, so its clicks reach X11 programs only. A
compositor that is not installed skips its test."""

import os
import re
import shutil
import signal
import subprocess
import unittest

from e2e import APP_TITLE, stop_process, wait_until
from sway import DROP, Compositor, WaylandTestCase, own_folder

# The program's line for a Wayland session without a virtual pointer or portal.
X11_ONLY = "Wayland: 只能点击X11程序, 热键需在桌面设置中绑定命令"

# What the compositor starts as its session: it leaves its process id and
# the session's environment where the test reads them, then stays until the
# test ends it; the compositor ends with it.
SESSION = """#!/bin/sh
echo $$ > {0}.pid
env -0 > {0}.new && mv {0}.new {0}
trap 'kill $!; exit 0' TERM
sleep 100000 &
wait
"""


class HeadlessDesktop(Compositor):
    """The compositor `command(session)` runs, with `session` the script it
    is to start, under dbus-run-session; `env` is what the session's programs
    get from it (WAYLAND_DISPLAY, DISPLAY, XAUTHORITY, the bus)."""

    def __init__(self, name, base, command, timeout=60):
        own_folder(base, 0o711)
        runtime = own_folder(os.path.join(base, "runtime"))
        home = own_folder(os.path.join(base, "home"))
        self.env_file = env_file = os.path.join(home, "session.env")
        session = os.path.join(base, "session.sh")
        with open(session, "w", encoding="ascii") as f:
            f.write(SESSION.format(env_file))
        os.chmod(session, 0o755)
        self.name = name
        self.log_path = os.path.join(base, f"{name}.log")
        env = {k: v for k, v in os.environ.items() if k not in (
            "DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS", "SWAYSOCK")}
        env.update(HOME=home, XDG_RUNTIME_DIR=runtime)
        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen([*DROP, "dbus-run-session", "--", *command(session)],
                                            env=env, stdout=log, stderr=subprocess.STDOUT,
                                            start_new_session=True)
        try:
            self.env = wait_until(lambda: self._session_env(env_file), timeout,
                                  lambda: f"{name}'s session; its log: {self.log()}",
                                  [self._alive])
        except BaseException:
            self.stop()
            raise

    @staticmethod
    def _session_env(path):
        if not os.path.exists(path):
            return None
        with open(path, "rb") as f:
            pairs = [item.decode().split("=", 1) for item in f.read().split(b"\0") if item]
        return dict(pairs)

    def end_session(self, timeout=20):
        """Ends the session, as logging out does, and returns the
        compositor's exit code once it has ended with it."""
        with open(self.env_file + ".pid", encoding="ascii") as f:
            os.kill(int(f.read()), signal.SIGTERM)
        return self.process.wait(timeout=timeout)

    def stop(self):
        """Ends the session, then kills what is left of its processes."""
        try:
            if self.process.poll() is None:  # else the session has ended with it
                self.end_session(timeout=5)
        except (OSError, ValueError, subprocess.TimeoutExpired):
            pass  # the session did not start or hangs
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(self.process.pid, sig)
            except ProcessLookupError:
                break
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                pass
        self.process.wait()


class ProgramOnDesktopCase(WaylandTestCase):
    program = None  # the compositor's executable

    @classmethod
    def start_compositor(cls, folder):
        path = shutil.which(cls.program)
        if path is None:
            raise unittest.SkipTest(f"{cls.program} is not installed")
        return HeadlessDesktop(cls.program, folder,
                               lambda session: cls.command(path, folder, session))

    def x_tool(self, *args):
        env = dict(self.compositor.env, LC_ALL="C.UTF-8")  # xwininfo's names in UTF-8
        result = subprocess.run([*DROP, *args], env=env, capture_output=True, timeout=10)
        return result.stdout.decode("utf-8", "replace")

    def main_window_shown(self):
        tree = self.x_tool("xwininfo", "-root", "-tree")
        windows = re.findall(rf'^\s+(0x[0-9a-f]+) "{re.escape(APP_TITLE)}": \(', tree, re.M)
        return any("Map State: IsViewable" in self.x_tool("xwininfo", "-id", window)
                   for window in windows)

    def test_starts_and_says_clicks_reach_x11_programs_only(self):
        binary = self.install_velmo([], [("sessionnotice", "wayland")])  # the box was seen
        app = self.spawn_wayland([binary], "velmo", stdin=subprocess.DEVNULL)
        guard = self.alive_guard(app, "velmo")
        wait_until(self.main_window_shown, 60,
                   lambda: f"the main window; velmo said: {self.output_of(app)}", [guard])
        line = wait_until(lambda: re.search(r"^Velmo: (Wayland.*)$", self.output_of(app), re.M),
                          20, lambda: f"the session's line; velmo said: {self.output_of(app)}",
                          [guard])
        self.assertEqual(line.group(1), X11_ONLY, self.output_of(app))
        self.assertIn("zwlr_virtual_pointer_manager_v1", self.output_of(app))
        stop_process(app)
        self.assertEqual(self.compositor.end_session(), 0, self.compositor.log())


class MutterTest(ProgramOnDesktopCase):
    program = "mutter"

    @staticmethod
    def command(path, folder, session):
        return [path, "--headless", "--wayland", "--virtual-monitor", "1280x800", "--", session]


class KWinTest(ProgramOnDesktopCase):
    program = "kwin_wayland"

    @staticmethod
    def command(path, folder, session):
        # Debian gives kwin_wayland the file capability CAP_SYS_RESOURCE, and
        # running it fails with EPERM where the capability bounding set lacks
        # it, as in a container. A copy has no capabilities.
        copy = os.path.join(folder, "kwin_wayland")
        shutil.copy(path, copy)
        os.chmod(copy, 0o755)
        return [copy, "--virtual", "--xwayland", "--width", "1280", "--height", "800",
                "--exit-with-session", session]


del ProgramOnDesktopCase  # a base, not a test of its own

if __name__ == "__main__":
    unittest.main()
