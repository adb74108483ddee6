"""The Wayland backend on a headless sway: clicks of each button land where
the pointer was put, on one output and across two, and what it says where it
cannot work. Runs wayland_backend_check, which answers one command per line,
and counts clicks with wlclickcounter."""

import os
import subprocess
import unittest

from e2e import LineReader, tool, wait_until
from sway import DROP, SwayTestCase

LEFT, MIDDLE, RIGHT = 1, 2, 3


class Backend:
    def __init__(self, case):
        self.process = case.spawn_wayland([tool("WAYLAND_BACKEND_CHECK")], "wayland_backend_check",
                                          stdin=subprocess.PIPE)
        self.reader = LineReader(self.process, "wayland_backend_check")
        case.assertEqual(self.read(), "ready", case.output_of(self.process))

    def read(self, timeout=10):
        return self.reader.read_line(timeout)

    def ask(self, command, timeout=10):
        self.process.stdin.write((command + "\n").encode())
        self.process.stdin.flush()
        return self.read(timeout)


class BackendCase(SwayTestCase):
    def setUp(self):
        super().setUp()
        # First: the counters get the seat's pointer, our device, as they start.
        self.backend = Backend(self)

    def assertClicks(self, counter, expected):
        counter.wait_for(len(expected))
        self.assertEqual(counter.wait_until_quiet(0.5), expected)


class ClickTest(BackendCase):
    def setUp(self):
        super().setUp()
        self.counter = self.start_counter()

    def test_each_button_lands_where_the_pointer_was_put(self):
        for button, name, x, y in ((LEFT, "left", 100, 200), (RIGHT, "right", 1023, 0),
                                   (MIDDLE, "middle", 0, 767)):
            self.assertEqual(self.backend.ask(f"move {x} {y}"), "ok")
            self.assertEqual(self.backend.ask(f"click {name}"), "ok")
        self.assertClicks(self.counter, [(LEFT, 100, 200), (RIGHT, 1023, 0), (MIDDLE, 0, 767)])

    def test_double_clicks_land_whole(self):
        self.assertEqual(self.backend.ask("move 512 384"), "ok")
        for name in ("left", "right", "middle"):
            self.assertEqual(self.backend.ask(f"click {name} 2"), "ok")
        self.assertClicks(self.counter, [(b, 512, 384) for b in (LEFT, LEFT, RIGHT, RIGHT,
                                                                 MIDDLE, MIDDLE)])

    def test_a_point_outside_the_desktop_is_its_nearest_pixel(self):
        self.assertEqual(self.backend.ask("move 5000 -20"), "ok")
        self.assertEqual(self.backend.ask("pos"), "pos 1023 0")
        self.assertEqual(self.backend.ask("click left"), "ok")
        self.assertClicks(self.counter, [(LEFT, 1023, 0)])

    def test_every_click_of_a_walk_lands_at_its_own_point(self):
        self.assertEqual(self.backend.ask("walk 200 10 300 4"), "ok")
        self.assertClicks(self.counter, [(LEFT, 10 + 4 * k, 300) for k in range(200)])


class TwoOutputsTest(BackendCase):
    def test_desktop_coordinates_span_both_outputs(self):
        first = self.start_counter("HEADLESS-1")
        output = self.sway.add_output(800, 600, 1024, 100)
        second = self.start_counter(output)
        for x, y in ((1024 + 30, 100 + 40), (20, 700), (1024 + 799, 100 + 599), (1023, 0)):
            self.assertEqual(self.backend.ask(f"move {x} {y}"), "ok")
            self.assertEqual(self.backend.ask("click left"), "ok")
        self.assertClicks(second, [(LEFT, 30, 40), (LEFT, 799, 599)])
        self.assertClicks(first, [(LEFT, 20, 700), (LEFT, 1023, 0)])


class LeftOutputTest(BackendCase):
    def test_an_output_left_of_the_first_has_negative_coordinates(self):
        output = self.sway.add_output(640, 480, -640, 0)
        counter = self.start_counter(output)
        wait_until(lambda: self.backend.ask("bounds") == "bounds -640 0 1664 768", 10,
                   "the backend to learn the layout")
        self.assertEqual(self.backend.ask("move -600 470"), "ok")
        self.assertEqual(self.backend.ask("click left"), "ok")
        self.assertClicks(counter, [(LEFT, 40, 470)])


class PickTest(BackendCase):
    def pick(self):
        self.assertEqual(self.backend.ask("pick"), "picking")

    def test_a_left_click_picks_its_point_and_nothing_below_gets_it(self):
        counter = self.start_counter()
        self.pick()
        self.assertEqual(self.backend.ask("move 300 200"), "ok")
        self.assertEqual(self.backend.ask("click left"), "ok")
        self.assertEqual(self.backend.read(), "picked 300 200")
        self.assertEqual(self.backend.ask("click left"), "ok")  # the overlay has gone
        self.assertClicks(counter, [(LEFT, 300, 200)])

    def test_points_of_a_second_output_are_desktop_coordinates(self):
        output = self.sway.add_output(640, 480, 1024, 200)
        self.pick()
        self.assertEqual(self.backend.ask("move 1100 650"), "ok")
        self.assertEqual(self.backend.ask("click left"), "ok")
        self.assertEqual(self.backend.read(), "picked 1100 650")
        self.swaymsg("output", output, "disable")

    def test_escape_and_a_right_click_cancel(self):
        self.pick()
        # The seat has no keyboard until wtype makes one: give the picker a
        # moment to take it before the key comes.
        self.wtype("-s", "300", "-k", "Escape")
        self.assertEqual(self.backend.read(), "cancel")
        self.pick()
        self.assertEqual(self.backend.ask("move 10 10"), "ok")
        self.assertEqual(self.backend.ask("click right"), "ok")
        self.assertEqual(self.backend.read(), "cancel")


class ProgramOnSwayTest(SwayTestCase):
    """The whole program on sway, its windows through Xwayland: a script run
    with `velmo --run` and the clicker started with `velmo --toggle` click a
    Wayland window, and the clicker's hotkey, bound in sway, toggles it."""

    xwayland = True

    def start_velmo(self, scripts, settings=(("click", "0"), ("time", "0.1"))):
        # The session's box was seen: its line in the status bar is enough.
        binary = self.install_velmo(scripts, [*settings, ("sessionnotice", "sway")])
        app = self.spawn_wayland([binary], "velmo", stdin=subprocess.DEVNULL)
        self.app_guard = self.alive_guard(app, "velmo")
        wait_until(lambda: "Wayland (sway)" in self.output_of(app), 60,
                   lambda: f"the start-up to end; velmo said: {self.output_of(app)}",
                   [self.app_guard])
        return binary

    def velmo(self, binary, *args):
        result = subprocess.run([*DROP, binary, *args], env=self.sway.env, capture_output=True,
                                timeout=20)
        self.assertEqual(result.returncode, 0, result.stderr.decode())
        return result.stdout.decode().strip()

    def test_command_line_and_hotkey_drive_clicks_on_wayland(self):
        binary = self.start_velmo([("两点", "F9", "200,300,左键单击,20|700,500,右键单击,20|", "1")])
        counter = self.start_counter()
        self.velmo(binary, "--run", "两点")
        counter.wait_for(2, guards=[self.app_guard])

        self.assertEqual(self.velmo(binary, "--toggle"), "状态:点击器已经启动")
        counter.wait_for(5, guards=[self.app_guard])
        self.velmo(binary, "--toggle")
        clicks = counter.wait_until_quiet(0.5, guards=[self.app_guard])
        self.assertEqual(clicks[:2], [(LEFT, 200, 300), (RIGHT, 700, 500)])
        self.assertEqual(set(clicks[2:]), {(LEFT, 700, 500)})

        self.wtype("-M", "ctrl", "-k", "F3", "-m", "ctrl")
        counter.wait_for(len(clicks) + 3, guards=[self.app_guard])
        self.wtype("-M", "ctrl", "-k", "F3", "-m", "ctrl")
        more = counter.wait_until_quiet(0.5, guards=[self.app_guard])[len(clicks):]
        self.assertEqual(set(more), {(LEFT, 700, 500)})

    def test_fast_ticks_send_no_more_than_a_slow_program_can_read(self):
        # sway cuts off a program that falls too far behind: a tick sends five
        # presses instead of the burst of 152. A limit of 2 makes three ticks.
        binary = self.start_velmo([], [("click", "2"), ("time", "0.010")])
        counter = self.start_counter()
        self.velmo(binary, "--toggle")
        counter.wait_for(15, guards=[self.app_guard])
        self.assertEqual(len(counter.wait_until_quiet(1.0, guards=[self.app_guard])), 15)


class NoCompositorTest(unittest.TestCase):
    def run_check(self, **env):
        base = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        result = subprocess.run([tool("WAYLAND_BACKEND_CHECK")], env=dict(base, **env),
                                capture_output=True, timeout=10, stdin=subprocess.DEVNULL)
        self.assertEqual(result.returncode, 1)
        return result.stdout.decode()

    def test_no_wayland_session(self):
        self.assertIn("WAYLAND_DISPLAY is not set", self.run_check())

    def test_compositor_that_cannot_be_reached_is_named(self):
        output = self.run_check(WAYLAND_DISPLAY="velmo-no-such-compositor")
        self.assertIn('Cannot connect to the Wayland compositor "velmo-no-such-compositor"', output)


if __name__ == "__main__":
    unittest.main()
