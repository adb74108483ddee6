"""Click figures of the Wayland backend on a private headless sway, against
the Wayland click counter of the end-to-end tests. Prints figures; judges
nothing.

  python3 bench/wayland_clickbench.py --build BUILD_DIR

Measures, each over a fresh counter:
  burst     N clicks at one point in one go (flushed in parts)
  ticks     N ticks of K clicks at one point, one tick every MS ms, as the
            single-point clicker sends them (K = 152 at intervals under 0.1 s)
  walk      N clicks, each at a new point of one window
  hop       N clicks by turns on two windows on two outputs: every click
            moves the pointer to the other window, whose focus follows
Sent: the clicks the backend wrote. Received: presses the counter logged once
none came for a second. Rate: received presses over the span between the
counter reading the first and the last (CLOCK_MONOTONIC). sway (libwayland
1.21) cuts off a client that falls 4 KiB plus its socket's buffer behind:
"cut off" says the counter was.
"""

import argparse
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from sway import SwayTestCase  # noqa: E402  (the headless sway of the end-to-end tests)
from test_wayland_backend import Backend  # noqa: E402

CASES = [("burst", "click left {}", [1000, 2000, 4000, 8000]),
         ("ticks", "ticks {} {} {}", [(300, 10, 10), (300, 50, 10), (300, 152, 10)]),
         ("walk", "walk {} 5 300 1", [1000]),
         ("hop", "hop {} 500 1300 300", [1000])]


class Bench(SwayTestCase):
    def measure(self, name, command):
        counters = [self.start_counter("HEADLESS-1")]
        if name == "hop":
            counters.append(self.start_counter("HEADLESS-2"))
        self.backend.ask("move 500 300")
        time.sleep(0.5)
        self.assertEqual(self.backend.ask(command, timeout=120), "ok")
        try:
            for counter in counters:
                counter.wait_until_quiet(1.0, timeout=300)
            note = ""
        except AssertionError:
            note = "  cut off"
        return sorted(int(f[5]) for c in counters for f in c.events("press")), note

    def runTest(self):
        self.backend = Backend(self)
        self.sway.add_output(1024, 768, 1024, 0)
        print(f"{'case':<22} {'sent':>7} {'received':>9} {'clicks/s':>9}")
        for name, command, sizes in CASES:
            for size in sizes:
                size = size if isinstance(size, tuple) else (size,)
                sent = size[0] * (size[1] if name == "ticks" else 1)
                stamps, note = self.measure(name, command.format(*size))
                span = (stamps[-1] - stamps[0]) / 1e9 if len(stamps) > 1 else 0
                rate = f"{len(stamps) / span:9.0f}" if span else f"{'-':>9}"
                label = f"{name} {'x'.join(map(str, size))}"
                print(f"{label:<22} {sent:7d} {len(stamps):9d} {rate}{note}", flush=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    build = os.path.abspath(parser.parse_args().build)
    os.environ.update(WLCLICKCOUNTER=os.path.join(build, "tests/e2e/wlclickcounter"),
                      WAYLAND_BACKEND_CHECK=os.path.join(build, "tests/e2e/wayland_backend_check"))
    result = unittest.TextTestRunner(verbosity=0).run(unittest.TestSuite([Bench()]))
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
