"""Ending the real program while a script runs: 退出软件(&E), pressed by its
mnemonic during a pause, is taken in, the run goes on to its last point, and
then the program ends with exit code 0 (it used to die of SIGSEGV). The close
box and the close-time page reach the same close query."""

import unittest

from e2e import APP_TITLE
from test_scripts import ScriptTestCase

LEFT = 1
TAB_SINGLE = (50, 105)  # the tab "单点点击(&S)", where 退出软件(&E) is
PAGE_AREA = (14, 144, 520, 140)
# Three points 1.2 s apart: the end request comes during the first pause.
SLOW_SCRIPT = ("慢脚本", "F8",
               "100,100,左键单击,1200|200,200,左键单击,1200|300,300,左键单击,20|", "1")


class ExitDuringRunTest(ScriptTestCase):
    def test_exit_button_during_a_run_waits_for_its_end(self):
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
        self.xdotool("windowfocus", "--sync", main_window, "key", "alt+e")
        presses = counter.wait_for(3, guards=[self.app_guard])
        self.assertEqual(presses, [(LEFT, 100, 100), (LEFT, 200, 200), (LEFT, 300, 300)])
        # A crash is a negative code (the signal).
        self.assertEqual(app.wait(timeout=15), 0, self.output_of(app))
        self.assertEqual(self.windows_titled(APP_TITLE), [])


if __name__ == "__main__":
    unittest.main()
