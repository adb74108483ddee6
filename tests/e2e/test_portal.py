"""Clicks through the desktop portal: the real portal frontend on a private
session bus hands the session to fake_portal.py, a desktop of two monitors
that logs the pointer calls it gets. portal_mouse_check drives the portal's
mouse, one command per line."""

import os
import shutil
import signal
import subprocess
import tempfile
import unittest

from e2e import ChildrenTestCase, LineReader, stop_process, tool, wait_until

HERE = os.path.dirname(os.path.abspath(__file__))
BTN_LEFT, BTN_RIGHT = 272, 273
PORTAL_FILE = """[portal]
DBusName=org.freedesktop.impl.portal.desktop.velmotest
Interfaces=org.freedesktop.impl.portal.RemoteDesktop;org.freedesktop.impl.portal.ScreenCast;
UseIn=velmotest
"""


class PortalCase(ChildrenTestCase):
    refuse = False

    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="velmo-portal-")
        self.addCleanup(shutil.rmtree, self.tmp, ignore_errors=True)
        portals = os.path.join(self.tmp, "portals")
        os.mkdir(portals)
        # The frontend 1.16 takes a backend whose .portal file names the
        # interfaces and lists the desktop in UseIn.
        with open(os.path.join(portals, "velmotest.portal"), "w") as f:
            f.write(PORTAL_FILE)
        runtime = os.path.join(self.tmp, "run")
        os.mkdir(runtime, 0o700)
        self.env = dict(os.environ, XDG_RUNTIME_DIR=runtime, XDG_CURRENT_DESKTOP="velmotest",
                        XDG_DESKTOP_PORTAL_DIR=portals, FAKE_PORTAL_REFUSE="1" if self.refuse else "0")
        bus = self.spawn([tool("DBUS_DAEMON"), "--session", "--nofork", "--print-address=1"], "bus")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = LineReader(bus, "dbus-daemon").read_line(10)
        self.log = os.path.join(self.tmp, "calls.log")
        open(self.log, "w").close()
        # Debian's python3-gi serves the system's interpreter.
        self.fake = self.spawn(["/usr/bin/python3", os.path.join(HERE, "fake_portal.py"), self.log],
                               "fake_portal")
        self.assertEqual(LineReader(self.fake, "fake_portal").read_line(10), "ready",
                         self.output_of(self.fake))
        frontend = self.spawn([tool("PORTAL_FRONTEND"), "--replace"], "xdg-desktop-portal")
        wait_until(self.portal_running, 10, "the portal frontend on the bus",
                   [self.alive_guard(frontend, "xdg-desktop-portal")])
        self.token = os.path.join(self.tmp, "config", "velmo", "portal-token")
        self.check = self.spawn([tool("PORTAL_MOUSE_CHECK"), self.token], "portal_mouse_check",
                                stdin=subprocess.PIPE)
        self.reader = LineReader(self.check, "portal_mouse_check")
        self.assertEqual(self.reader.read_line(10), "ready", self.output_of(self.check))

    def spawn(self, args, name, stdin=None):
        log_path = os.path.join(self.tmp, f"{name}.stderr")
        with open(log_path, "wb") as log:
            process = subprocess.Popen(args, env=self.env, stdin=stdin, stdout=subprocess.PIPE,
                                       stderr=log)
        process.log_path = log_path
        self.addCleanup(stop_process, process)
        return process

    def portal_running(self):
        return b"true" in subprocess.run(
            ["gdbus", "call", "--session", "-d", "org.freedesktop.DBus", "-o", "/org/freedesktop/DBus",
             "-m", "org.freedesktop.DBus.NameHasOwner", "org.freedesktop.portal.Desktop"],
            env=self.env, capture_output=True).stdout

    def ask(self, command, timeout=15):
        self.check.stdin.write((command + "\n").encode())
        self.check.stdin.flush()
        return self.reader.read_line(timeout)

    def calls(self, prefix=""):
        with open(self.log) as f:
            return [line.strip() for line in f if line.startswith(prefix)]

    def wait_calls(self, prefix, count):
        """The portal passes pointer calls on without waiting for the desktop."""
        return wait_until(lambda: len(self.calls(prefix)) >= count and self.calls(prefix), 5,
                          lambda: f"{count} calls {prefix}, got {self.calls(prefix)}")


class GrantedTest(PortalCase):
    def test_moves_reach_the_stream_of_each_monitor(self):
        self.assertEqual(self.calls(), [], "no session before the first need")
        for x, y in ((100, 200), (1500, 300), (3000, -5)):
            self.assertEqual(self.ask(f"move {x} {y}"), "ok")
        self.assertEqual(self.ask("pos"), "pos 1823 0")
        self.assertEqual(self.wait_calls("NotifyPointerMotionAbsolute", 3), [
            "NotifyPointerMotionAbsolute 41 100.0 200.0",
            "NotifyPointerMotionAbsolute 42 476.0 300.0",
            "NotifyPointerMotionAbsolute 42 799.0 0.0"])
        self.assertIn("SelectDevices types=2", " ".join(self.calls("SelectDevices")))
        self.assertIn("multiple=True types=1", " ".join(self.calls("SelectSources")))
        self.assertEqual(len(self.calls("started")), 1, "one session serves every call")
        self.assertFalse(os.path.exists(self.token), "the portal 1.16 keeps no consent")

    def test_a_click_presses_and_releases_each_button(self):
        self.assertEqual(self.ask("click left"), "ok")
        self.assertEqual(self.ask("click right"), "ok")
        self.assertEqual(self.wait_calls("NotifyPointerButton", 4), [
            f"NotifyPointerButton {BTN_LEFT} 1", f"NotifyPointerButton {BTN_LEFT} 0",
            f"NotifyPointerButton {BTN_RIGHT} 1", f"NotifyPointerButton {BTN_RIGHT} 0"])

    def test_a_session_the_desktop_ends_stops_once_and_asks_anew(self):
        self.assertEqual(self.ask("move 10 10"), "ok")
        self.assertEqual(self.ask("down"), "ok")
        self.fake.send_signal(signal.SIGUSR1)
        wait_until(lambda: self.calls("sessions ended"), 5, "the desktop to end the session")
        answer = self.ask("click left")
        self.assertTrue(answer.startswith("error 桌面结束了Velmo控制鼠标的会话"), answer)
        self.assertEqual(self.ask("click left"), "ok")
        self.assertEqual(len(self.calls("started")), 2)
        self.assertEqual(self.wait_calls("NotifyPointerButton", 3)[1:], [
            f"NotifyPointerButton {BTN_LEFT} 1", f"NotifyPointerButton {BTN_LEFT} 0"])


class RefusedTest(PortalCase):
    refuse = True

    def test_a_refusal_is_said_in_chinese_and_presses_nothing(self):
        answer = self.ask("click left")
        self.assertTrue(answer.startswith("error 你没有同意Velmo通过桌面门户控制鼠标"), answer)
        self.assertEqual(self.calls("refused"), ["refused"])
        self.assertEqual(self.calls("Notify"), [])


# A session bus that starts no service on demand: no portal comes up.
BARE_BUS = """<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</auth>
<policy context="default"><allow send_destination="*"/><allow receive_sender="*"/>
<allow own="*"/></policy></busconfig>"""


class NoPortalTest(unittest.TestCase):
    def test_a_bus_without_the_portal_is_named(self):
        with tempfile.NamedTemporaryFile("w", suffix=".conf") as config:
            config.write(BARE_BUS)
            config.flush()
            bus = subprocess.Popen([tool("DBUS_DAEMON"), "--config-file", config.name, "--nofork",
                                    "--print-address=1"], stdout=subprocess.PIPE)
            self.addCleanup(stop_process, bus)
            address = LineReader(bus, "dbus-daemon").read_line(10)
            result = subprocess.run([tool("PORTAL_MOUSE_CHECK")], capture_output=True, timeout=10,
                                    env=dict(os.environ, DBUS_SESSION_BUS_ADDRESS=address))
        self.assertEqual(result.returncode, 1)
        self.assertIn("桌面门户不提供远程控制鼠标", result.stdout.decode())


if __name__ == "__main__":
    unittest.main()
