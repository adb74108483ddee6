"""Ending the real program while a script runs: the request is taken in, the
run goes on to its last point, and then the program ends with exit code 0.
Asked by 退出软件(&E) through its mnemonic and by the window manager's close
request (WM_DELETE_WINDOW, what a close box sends)."""

import ctypes
import ctypes.util
import unittest

from e2e import APP_TITLE, wait_until
from test_scripts import ScriptTestCase

LEFT = 1
TAB_SINGLE = (50, 105)  # the tab "单点点击(&S)", where 退出软件(&E) is
PAGE_AREA = (14, 144, 520, 140)
# Three points 1.2 s apart: the end request comes during the first pause.
SLOW_SCRIPT = ("慢脚本", "F8",
               "100,100,左键单击,1200|200,200,左键单击,1200|300,300,左键单击,20|", "1")


def send_delete_window(display, window):
    """Sends the WM_DELETE_WINDOW client message a window manager sends when
    the close box is pressed; there is no window manager here to send it."""
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                    ("pad", ctypes.c_char * 96)]

    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(ClientMessage)]
    xlib.XFlush.argtypes = xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    connection = xlib.XOpenDisplay(display.encode())
    if not connection:
        raise AssertionError(f"could not connect to {display}")
    try:
        message = ClientMessage(type=33, send_event=1, window=int(window, 16), format=32)
        message.message_type = xlib.XInternAtom(connection, b"WM_PROTOCOLS", 0)
        message.data[0] = xlib.XInternAtom(connection, b"WM_DELETE_WINDOW", 0)
        if not xlib.XSendEvent(connection, message.window, 0, 0, ctypes.byref(message)):
            raise AssertionError("XSendEvent(WM_DELETE_WINDOW) failed")
        xlib.XFlush(connection)
    finally:
        xlib.XCloseDisplay(connection)


class ExitDuringRunTest(ScriptTestCase):
    def run_and_end(self, end):
        """Starts the slow script, calls `end` during its first pause and
        checks that every point is still clicked and the program then ends
        cleanly."""
        app = self.start_app(scripts=[SLOW_SCRIPT])
        main_window = self.wait_for_main_window()
        self.wait_for_hotkey("none", "F6")
        self.enable_first_script(main_window, "none", "F8")
        left, top, _, _ = self.geometry(main_window)
        self.click_and_wait_for_redraw((left + TAB_SINGLE[0], top + TAB_SINGLE[1]),
                                       (left + PAGE_AREA[0], top + PAGE_AREA[1], *PAGE_AREA[2:]),
                                       "the first page to show", [self.app_guard])
        counter = self.start_counter()
        self.xdotool("key", "F8")
        counter.wait_for(1, guards=[self.app_guard])
        end(main_window)
        presses = counter.wait_for(3, guards=[self.app_guard])
        self.assertEqual(presses, [(LEFT, 100, 100), (LEFT, 200, 200), (LEFT, 300, 300)])
        # A crash is a negative code (the signal), with no core left behind.
        self.assertEqual(app.wait(timeout=15), 0, self.output_of(app))
        self.assertEqual(self.windows_titled(APP_TITLE), [])

    def test_exit_button_during_a_run(self):
        self.run_and_end(lambda window: self.xdotool("windowfocus", "--sync", window,
                                                     "key", "alt+e"))

    def test_close_box_during_a_run(self):
        self.run_and_end(lambda window: send_delete_window(self.x.display, window))


if __name__ == "__main__":
    unittest.main()
