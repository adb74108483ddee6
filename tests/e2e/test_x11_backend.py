"""The Linux backend against a real X server: key grabs and their conflicts,
press delivery through the GLib main loop, XTest clicks where the pointer was
put. Runs x11_backend_check, which answers one command per line."""

import os
import subprocess
import unittest

from e2e import HOLDKEY_FREE, HOLDKEY_HELD, LineReader, XTestCase, stop_process, tool

MOD_ALT, MOD_CONTROL = 1, 2
VK_F3, VK_F12 = 114, 123
LEFT_DOWN, LEFT_UP, RIGHT_DOWN, RIGHT_UP = 0x02, 0x04, 0x08, 0x10


class Backend:
    def __init__(self, case):
        self.process = case.spawn([tool("X11_BACKEND_CHECK")], "x11_backend_check",
                                  stdin=subprocess.PIPE)
        self.reader = LineReader(self.process, "x11_backend_check")
        first = self.read()
        case.assertEqual(first, "ready", case.output_of(self.process))

    def read(self, timeout=10):
        return self.reader.read_line(timeout)

    def send(self, command):
        self.process.stdin.write((command + "\n").encode())
        self.process.stdin.flush()

    def ask(self, command, timeout=10):
        self.send(command)
        return self.read(timeout)


class BackendCase(XTestCase):
    def setUp(self):
        super().setUp()
        self.backend = Backend(self)

    def assertPress(self, keys, modifiers, vk):
        self.xdotool("key", keys)
        self.assertEqual(self.backend.ask("press 5000"), f"press {modifiers} {vk}")


class GrabTest(BackendCase):
    def test_grabbed_combination_reaches_the_handler(self):
        self.assertEqual(self.backend.ask(f"grab {MOD_CONTROL} {VK_F3}"), "ok")
        self.assertPress("ctrl+F3", MOD_CONTROL, VK_F3)

    def test_presses_arrive_whatever_lock_keys_are_on(self):
        self.assertEqual(self.backend.ask(f"grab {MOD_CONTROL} {VK_F3}"), "ok")
        for lock in ("Num_Lock", "Caps_Lock"):
            self.xdotool("key", lock)  # on
            self.assertPress("ctrl+F3", MOD_CONTROL, VK_F3)
        self.xdotool("key", "Num_Lock", "Caps_Lock")  # both off again
        self.assertPress("ctrl+F3", MOD_CONTROL, VK_F3)

    def test_modifiers_tell_combinations_apart(self):
        # Ctrl+Alt+F<n> never reaches a client: the X keyboard map turns it
        # into a switch of virtual terminal.
        both = MOD_CONTROL | MOD_ALT
        for modifiers in (MOD_CONTROL, MOD_ALT, both):
            self.assertEqual(self.backend.ask(f"grab {modifiers} {ord('Z')}"), "ok")
        self.assertPress("ctrl+alt+z", both, ord("Z"))
        self.assertPress("alt+z", MOD_ALT, ord("Z"))
        self.assertPress("ctrl+z", MOD_CONTROL, ord("Z"))

    def test_letters_digits_and_high_function_keys(self):
        for keys, modifiers, vk in (("alt+5", MOD_ALT, ord("5")), ("ctrl+a", MOD_CONTROL, ord("A")),
                                    ("alt+F12", MOD_ALT, VK_F12)):
            self.assertEqual(self.backend.ask(f"grab {modifiers} {vk}"), "ok", keys)
            self.assertPress(keys, modifiers, vk)

    def test_other_programs_see_our_grab_until_we_release_it(self):
        self.assertEqual(self.backend.ask(f"grab {MOD_CONTROL} {VK_F3}"), "ok")
        self.assertEqual(self.probe_key("ctrl", "F3"), HOLDKEY_HELD)
        self.assertEqual(self.probe_key("ctrl+numlock", "F3"), HOLDKEY_HELD)
        self.assertEqual(self.backend.ask(f"ungrab {MOD_CONTROL} {VK_F3}"), "ok")
        for modifiers in ("ctrl", "ctrl+capslock", "ctrl+numlock", "ctrl+capslock+numlock"):
            self.assertEqual(self.probe_key(modifiers, "F3"), HOLDKEY_FREE, modifiers)

    def test_combination_held_by_another_program_is_refused_and_nothing_kept(self):
        holder = self.hold_key("ctrl", "F3")
        self.assertEqual(self.backend.ask(f"grab {MOD_CONTROL} {VK_F3}"), "refused")
        # The combinations the holder does not hold were grabbed on the way
        # and must have been released again.
        for modifiers in ("ctrl+capslock", "ctrl+numlock", "ctrl+capslock+numlock"):
            self.assertEqual(self.probe_key(modifiers, "F3"), HOLDKEY_FREE, modifiers)
        stop_process(holder)
        self.assertEqual(self.backend.ask(f"grab {MOD_CONTROL} {VK_F3}"), "ok")

    def test_combination_grabbed_twice_is_refused(self):
        self.assertEqual(self.backend.ask(f"grab {MOD_CONTROL} {VK_F3}"), "ok")
        self.assertEqual(self.backend.ask(f"grab {MOD_CONTROL} {VK_F3}"), "refused")

    def test_keys_and_modifiers_outside_the_vocabulary_are_refused(self):
        self.assertEqual(self.backend.ask(f"grab {MOD_CONTROL} 7"), "refused")  # no such key
        self.assertEqual(self.backend.ask(f"grab 4 {VK_F3}"), "refused")  # MOD_SHIFT

    def test_press_read_during_another_grab_is_delivered(self):
        # The grab's round trip reads the waiting press into Xlib's queue;
        # the connection's descriptor does not become readable for it again.
        self.assertEqual(self.backend.ask(f"grab {MOD_CONTROL} {VK_F3}"), "ok")
        self.xdotool("key", "ctrl+F3")
        self.assertEqual(self.backend.ask(f"grab {MOD_ALT} {VK_F3}"), "ok")
        self.assertEqual(self.backend.ask("press 3000"), f"press {MOD_CONTROL} {VK_F3}")

    def test_handler_that_pumps_events_receives_the_next_press(self):
        # The script runner pumps events inside a hotkey's handler and stops
        # when its stop hotkey arrives there.
        self.assertEqual(self.backend.ask(f"grab {MOD_CONTROL} {VK_F3}"), "ok")
        self.backend.send("nested 5000")
        self.xdotool("key", "ctrl+F3")
        self.assertEqual(self.backend.read(), "in-handler")
        self.xdotool("key", "ctrl+F3")
        self.assertEqual(self.backend.read(), f"nested {MOD_CONTROL} {VK_F3}")


class KeyboardChangeTest(BackendCase):
    def test_grab_follows_the_key_to_its_new_key_code(self):
        self.assertEqual(self.backend.ask(f"grab {MOD_CONTROL} {VK_F3}"), "ok")
        self.assertEqual(self.backend.ask("remap F3"), "ok")
        self.assertPress("ctrl+F3", MOD_CONTROL, VK_F3)


class MouseTest(BackendCase):
    def setUp(self):
        super().setUp()
        self.counter = self.start_counter()

    def clicks(self, count):
        presses = self.counter.wait_for(count)
        self.assertEqual(len(self.counter.wait_until_quiet(0.5)), count)
        return presses

    def test_pointer_goes_where_it_is_put(self):
        self.assertEqual(self.backend.ask("warp 123 456"), "ok")
        self.assertEqual(self.backend.ask("pos"), "pos 123 456")
        self.xdotool("mousemove", "700", "50")
        self.assertEqual(self.backend.ask("pos"), "pos 700 50")

    def test_single_left_click_lands_at_the_pointer(self):
        self.assertEqual(self.backend.ask("warp 300 300"), "ok")
        self.assertEqual(self.backend.ask(f"click {LEFT_DOWN} 1"), "ok")
        self.assertEqual(self.backend.ask(f"click {LEFT_UP} 1"), "ok")
        self.assertEqual(self.clicks(1), [(1, 300, 300)])

    def test_down_and_up_in_one_event_is_a_whole_click(self):
        self.assertEqual(self.backend.ask("warp 40 700"), "ok")
        self.assertEqual(self.backend.ask(f"click {LEFT_DOWN | LEFT_UP} 2"), "ok")
        self.assertEqual(self.clicks(2), [(1, 40, 700)] * 2)

    def test_flags_are_handled_left_before_right(self):
        self.assertEqual(self.backend.ask("warp 10 20"), "ok")
        all_flags = LEFT_DOWN | LEFT_UP | RIGHT_DOWN | RIGHT_UP
        self.assertEqual(self.backend.ask(f"click {all_flags} 1"), "ok")
        self.assertEqual(self.backend.ask(f"click {RIGHT_DOWN | RIGHT_UP} 1"), "ok")
        self.assertEqual(self.clicks(3), [(1, 10, 20), (3, 10, 20), (3, 10, 20)])

    def test_a_burst_arrives_whole(self):
        self.assertEqual(self.backend.ask("warp 500 400"), "ok")
        self.assertEqual(self.backend.ask(f"click {LEFT_DOWN | LEFT_UP} 5000"), "ok")
        self.assertEqual(self.clicks(5000), [(1, 500, 400)] * 5000)


class NoXTestTest(XTestCase):
    xvfb_args = ("-extension", "XTEST")

    def test_missing_xtest_is_named(self):
        result = self.run_tool(tool("X11_BACKEND_CHECK"))
        self.assertEqual(result.returncode, 1)
        chinese, english = user_text(result.stdout.decode())
        self.assertIn(f'X11显示服务器"{self.x.display}"没有XTEST扩展', chinese)
        self.assertIn(f'The X server on display "{self.x.display}" has no XTEST extension', english)


def user_text(output):
    """The Chinese text and the English detail of the backend's message to
    the user: Chinese first, then the detail in brackets on its own line."""
    prefix = "error "
    assert output.startswith(prefix), output
    chinese, _, english = output[len(prefix):].rstrip("\n").partition("\n")
    assert english.startswith("(") and english.endswith(")"), output
    return chinese, english


class NoDisplayTest(unittest.TestCase):
    def run_check(self, **env):
        base = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        result = subprocess.run([tool("X11_BACKEND_CHECK")], env=dict(base, **env),
                                capture_output=True, timeout=10, stdin=subprocess.DEVNULL)
        self.assertEqual(result.returncode, 1)
        return user_text(result.stdout.decode())

    def test_wayland_session_without_xwayland_is_explained(self):
        chinese, english = self.run_check(WAYLAND_DISPLAY="wayland-0")
        self.assertIn("Velmo需要X11显示服务器才能运行: 没有设置DISPLAY。", chinese)
        self.assertIn("Wayland不允许程序注册全局热键或模拟鼠标点击", chinese)
        self.assertIn("Velmo needs an X11 display, but DISPLAY is not set.", english)
        self.assertIn("Wayland does not let a program grab global hotkeys or synthesise mouse "
                      "clicks", english)

    def test_unset_display_outside_wayland(self):
        chinese, english = self.run_check()
        self.assertIn("没有设置DISPLAY。请在X11桌面会话中启动Velmo。", chinese)
        self.assertNotIn("Wayland", chinese)
        self.assertIn("DISPLAY is not set. Start Velmo from an X11 desktop session.", english)

    def test_display_that_cannot_be_opened_is_named(self):
        chinese, english = self.run_check(DISPLAY=":4093")
        self.assertIn('Velmo无法连接X11显示服务器":4093"', chinese)
        self.assertIn('cannot open the X11 display ":4093" (XOpenDisplay failed)', english)


if __name__ == "__main__":
    unittest.main()
