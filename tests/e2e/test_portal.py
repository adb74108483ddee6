"""Clicks and hotkeys through the desktop portal: the real portal frontend on
a private session bus hands the sessions to fake_portal.py, a desktop of two
monitors that logs the pointer calls and the shortcut bindings it gets.
portal_mouse_check drives the portal's mouse, one command per line; the whole
program, on a Wayland session without a compositor to speak to, binds its
hotkeys as the portal's global shortcuts."""

import os
import shutil
import signal
import subprocess
import tempfile
import unittest

from e2e import (APP_TITLE, MAIN_CAPTION, ChildrenTestCase, LineReader, stop_process, tool,
                 wait_until)
from test_scripts import ScriptTestCase

HERE = os.path.dirname(os.path.abspath(__file__))
BTN_LEFT, BTN_RIGHT = 272, 273
POINTER_INTERFACES = ("RemoteDesktop", "ScreenCast")
PORTAL_FILE = """[portal]
DBusName=org.freedesktop.impl.portal.desktop.velmotest
Interfaces={interfaces}
UseIn=velmotest
"""


class PortalStack:
    """The frontend on a private session bus with the fake desktop behind it,
    offering `interfaces`; `self.env` is the environment its clients need."""

    interfaces = POINTER_INTERFACES
    fake_env = {}

    def start_portal(self):
        portals = os.path.join(self.tmp, "portals")
        os.mkdir(portals)
        # The frontend 1.16 takes a backend whose .portal file names the
        # interfaces and lists the desktop in UseIn.
        with open(os.path.join(portals, "velmotest.portal"), "w") as f:
            f.write(PORTAL_FILE.format(interfaces="".join(
                f"org.freedesktop.impl.portal.{name};" for name in self.interfaces)))
        runtime = os.path.join(self.tmp, "run")
        os.mkdir(runtime, 0o700)
        self.env = dict(os.environ, XDG_RUNTIME_DIR=runtime, XDG_CURRENT_DESKTOP="velmotest",
                        XDG_DESKTOP_PORTAL_DIR=portals, **self.fake_env)
        bus = self.start_child([tool("DBUS_DAEMON"), "--session", "--nofork", "--print-address=1"],
                               "bus")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = LineReader(bus, "dbus-daemon").read_line(10)
        self.log = os.path.join(self.tmp, "calls.log")
        open(self.log, "w").close()
        # Debian's python3-gi serves the system's interpreter.
        self.fake = self.start_child(
            ["/usr/bin/python3", os.path.join(HERE, "fake_portal.py"), self.log], "fake_portal")
        self.assertEqual(LineReader(self.fake, "fake_portal").read_line(10), "ready",
                         self.output_of(self.fake))
        frontend = self.start_child([tool("PORTAL_FRONTEND"), "--replace"], "xdg-desktop-portal")
        wait_until(self.portal_running, 10, "the portal frontend on the bus",
                   [self.alive_guard(frontend, "xdg-desktop-portal")])

    def start_child(self, args, name, stdin=None):
        log_path = os.path.join(self.tmp, f"{name}.stderr")
        with open(log_path, "wb") as log:
            process = subprocess.Popen(args, env=self.env, stdin=stdin, stdout=subprocess.PIPE,
                                       stderr=log)
        process.log_path = log_path
        self.addCleanup(stop_process, process)
        return process

    def gdbus(self, *args):
        return subprocess.run(["gdbus", "call", "--session", *args], env=self.env,
                              capture_output=True, timeout=10).stdout.decode()

    def portal_running(self):
        return "true" in self.gdbus("-d", "org.freedesktop.DBus", "-o", "/org/freedesktop/DBus",
                                    "-m", "org.freedesktop.DBus.NameHasOwner",
                                    "org.freedesktop.portal.Desktop")

    def calls(self, prefix=""):
        with open(self.log) as f:
            return [line.strip() for line in f if line.startswith(prefix)]

    def wait_calls(self, prefix, count):
        """The portal passes pointer calls on without waiting for the desktop."""
        return wait_until(lambda: len(self.calls(prefix)) >= count and self.calls(prefix), 5,
                          lambda: f"{count} calls {prefix}, got {self.calls(prefix)}")


class PortalCase(PortalStack, ChildrenTestCase):
    refuse = False

    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="velmo-portal-")
        self.addCleanup(shutil.rmtree, self.tmp, ignore_errors=True)
        self.fake_env = {"FAKE_PORTAL_REFUSE": "1" if self.refuse else "0"}
        self.start_portal()
        self.token = os.path.join(self.tmp, "config", "velmo", "portal-token")
        self.check = self.start_child([tool("PORTAL_MOUSE_CHECK"), self.token],
                                      "portal_mouse_check", stdin=subprocess.PIPE)
        self.reader = LineReader(self.check, "portal_mouse_check")
        self.assertEqual(self.reader.read_line(10), "ready", self.output_of(self.check))

    def ask(self, command, timeout=15):
        self.check.stdin.write((command + "\n").encode())
        self.check.stdin.flush()
        return self.reader.read_line(timeout)


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


class ProgramCase(PortalStack, ScriptTestCase):
    """The whole program on a Wayland session whose compositor it cannot
    reach: clicks go through the portal's RemoteDesktop and, where the
    portal offers GlobalShortcuts, the hotkeys through it."""

    interfaces = POINTER_INTERFACES + ("GlobalShortcuts",)

    def start_program(self, scripts=(), settings=()):
        self.start_portal()
        app = self.start_app(settings=[("click", "0"), ("time", "0.1"), *settings],
                             scripts=scripts,
                             env={"WAYLAND_DISPLAY": "velmo-no-compositor", "SWAYSOCK": "",
                                  "XDG_CURRENT_DESKTOP": "velmotest",
                                  "DBUS_SESSION_BUS_ADDRESS": self.env["DBUS_SESSION_BUS_ADDRESS"]})
        self.wait_for_main_window()
        return app

    def wait_said(self, app, text, timeout=20):
        wait_until(lambda: text in self.output_of(app), timeout,
                   lambda: f"velmo to say {text!r}; it said: {self.output_of(app)}",
                   [self.app_guard])

    def activate(self, trigger):
        """The user presses the shortcut the desktop bound to `trigger`."""
        answer = self.gdbus("-d", "org.velmotest.Control", "-o", "/", "-m",
                            "org.velmotest.Control.Activate", trigger)
        self.assertNotIn("''", answer, f"no shortcut is bound to {trigger}")


class ShortcutsTest(ProgramCase):
    def test_shortcuts_run_the_clicker_and_an_enabled_script(self):
        app = self.start_program(scripts=[("远点", "Ctrl+F5", "1000,740,左键单击,20|", "1")],
                                 settings=[("sessionnotice", "portal+shortcuts")])
        # Start-up's two registrations make one session and one binding.
        self.wait_said(app, "Velmo: 热键经桌面门户: 启动/停止 Ctrl+F3, 停止脚本 F6\n")
        self.assertEqual(self.calls("BindShortcuts"), ["BindShortcuts CTRL+F3 F6"])

        # Enabling binds everything again in a new session, the old one closed.
        self.enable_first_script(self.main_window)
        self.wait_said(app, "停止脚本 F6, 脚本远点 Ctrl+F5\n")
        self.assertEqual(self.calls("BindShortcuts")[1:], ["BindShortcuts CTRL+F3 CTRL+F5 F6"])
        self.assertEqual(self.calls("closed by the client"), ["closed by the client"])

        self.activate("CTRL+F5")
        self.assertEqual(self.wait_calls("Notify", 3), [
            "NotifyPointerMotionAbsolute 41 1000.0 740.0",
            f"NotifyPointerButton {BTN_LEFT} 1", f"NotifyPointerButton {BTN_LEFT} 0"])
        self.activate("CTRL+F3")
        self.wait_calls(f"NotifyPointerButton {BTN_LEFT} 1", 3)
        self.activate("CTRL+F3")
        self.assertEqual(self.calls("NotifyPointerMotion"),
                         ["NotifyPointerMotionAbsolute 41 1000.0 740.0"],
                         "the clicker clicks where the script left the pointer")

    def test_a_refused_shortcut_is_reported_as_a_conflict(self):
        self.fake_env = {"FAKE_PORTAL_REFUSE_TRIGGER": "CTRL+F3"}
        app = self.start_program(settings=[("sessionnotice", "portal+shortcuts")])
        self.wait_said(app, "Velmo: 热键经桌面门户: 停止脚本 F6\n")
        self.wait_for_window(MAIN_CAPTION, guards=[self.app_guard])


class NoShortcutsTest(ProgramCase):
    interfaces = POINTER_INTERFACES

    def test_without_global_shortcuts_the_commands_are_to_be_bound(self):
        app = self.start_program()
        self.wait_said(app, "Velmo: 桌面门户不提供全局快捷键")
        self.wait_said(app, "Velmo: Wayland: 点击经桌面门户, 首次点击时需要同意; "
                            "热键需在桌面设置中绑定命令\n")
        # The first start's box, under the program's title.
        wait_until(lambda: len(self.windows_titled(APP_TITLE)) == 2, 20, "the session's box",
                   [self.app_guard])


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
