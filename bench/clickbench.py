"""Click figures of the real program on a private Xvfb, against the click
counter of the end-to-end tests. Prints figures; judges nothing.

  python3 bench/clickbench.py --build BUILD_DIR

Measures, in one run:
  references   clicks/s received from a raw XTest flood (benchinput) and from
               `xdotool click --repeat N --delay 0 1`
  throughput   time "0.010" (152 clicks per tick), 10 s: clicks/s received and
               clicks lost (sent minus received once the queue has drained)
  tick period  mean and p99 at "0.010", "0.1" and "1", over 30 s or more each
  latency      hotkey to first click at "0.1", median over 25 trials
  options      clicks/s and the mean period's error with each option of
               高级设置 on: jitter 30 % at "0.010" and "0.1", hold 50 ms at
               "0.1", the fail-safe at "0.010", over 30 s each

How the figures are taken:
  * Each measure starts the program afresh and waits 5 s after it holds its
    hotkey before pressing it.
  * Sent: the program runs with bench/libsentcount.so preloaded, which counts
    the presses the program hands to XTest in a file the benchmark reads.
  * Received: the click counter logs every press with the event's X server
    time (milliseconds, from when the server made the press) and the
    CLOCK_MONOTONIC time at which it read the press.
  * Tick period: the presses of one tick are sent back to back, so with
    nothing lost tick k begins at press k x (clicks per tick); its start is
    that press's X server time. Millisecond resolution.
  * Latency: benchinput presses Ctrl+F3 through XTest and notes
    CLOCK_MONOTONIC once XSync has returned, so the server has made the key
    press by then; the latency runs from there to the counter reading the
    first press, both on the machine's CLOCK_MONOTONIC. As a cross-check the
    same span in X server time: from a server time stamp taken just before the
    key press to the press's server time. A tick starts one period after the
    hotkey, so the figure includes the 100 ms period; the table also shows
    the rest.
"""

import argparse
import collections
import math
import os
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import e2e  # noqa: E402  (the end-to-end helpers: Xvfb, line reader, program files)

CLICKS_PER_FAST_TICK = 152
SETTLE_SECONDS = 5
Press = collections.namedtuple("Press", "button x y server_ms received_ns")
Key = collections.namedtuple("Key", "server_ms before_ns after_ns")


class ClickLog:
    """The counter's file, read incrementally."""

    def __init__(self, path, process):
        self.path = path
        self.process = process
        self.offset = 0
        self.rest = b""
        self.presses = []

    def update(self):
        if self.process.poll() is not None:
            raise RuntimeError(f"clickcounter ended with exit code {self.process.returncode}")
        with open(self.path, "rb") as f:
            f.seek(self.offset)
            data = f.read()
        self.offset += len(data)
        *lines, self.rest = (self.rest + data).split(b"\n")
        for line in lines:
            fields = line.split()
            if fields[0] == b"press":
                self.presses.append(Press(*(int(v) for v in fields[1:6])))
        return len(self.presses)

    def wait_for(self, count, timeout):
        e2e.wait_until(lambda: self.update() >= count, timeout, f"{count} presses")
        return self.presses

    def wait_quiet(self, quiet, timeout):
        """The presses once none arrived for `quiet` seconds."""
        seen = {"count": -1, "since": time.monotonic()}

        def quiet_now():
            count = self.update()
            if count != seen["count"]:
                seen.update(count=count, since=time.monotonic())
            return time.monotonic() - seen["since"] >= quiet

        e2e.wait_until(quiet_now, timeout, f"no press for {quiet} s")
        return self.presses


class App:
    def __init__(self, process, sent_path):
        self.process = process
        self.sent_path = sent_path

    def sent(self):
        """Presses the program has handed to XTest so far."""
        with open(self.sent_path, "rb") as f:
            return struct.unpack("<q", f.read(8))[0]


class Session:
    """One private X server and the programs the benchmark starts on it."""

    def __init__(self, build, folder):
        self.build = build
        self.folder = folder
        self.x = e2e.XServer(os.path.join(folder, "xvfb.log"))
        self.processes = []

    def path(self, *parts):
        return os.path.join(self.build, *parts)

    def run(self, *args, timeout=120):
        return subprocess.run(args, env=self.x.env, capture_output=True, timeout=timeout,
                              check=True).stdout.decode()

    def spawn(self, args, cwd=None, env=None):
        process = subprocess.Popen(args, cwd=cwd, env=dict(self.x.env, **(env or {})),
                                   stdin=subprocess.DEVNULL, stdout=subprocess.PIPE)
        self.processes.append(process)
        return process

    def stop(self, process):
        e2e.stop_process(process)
        self.processes.remove(process)

    def close(self):
        for process in self.processes:
            e2e.stop_process(process)
        self.x.stop()

    def counter(self, name):
        path = os.path.join(self.folder, f"{name}.clicks")
        process = self.spawn([self.path("tests", "e2e", "clickcounter"), path])
        line = e2e.LineReader(process, "clickcounter").read_line(10)
        if line != "ready":
            raise RuntimeError(f"clickcounter said {line!r}")
        return ClickLog(path, process)

    def key(self, modifiers, keysym):
        fields = self.run(self.path("bench", "benchinput"), "key", modifiers, keysym).split()
        return Key(*(int(v) for v in fields[1:4]))

    def hotkey_held(self, modifiers, keysym):
        holdkey = self.path("tests", "e2e", "holdkey")
        result = subprocess.run([holdkey, "--probe", modifiers, keysym], env=self.x.env, timeout=10)
        return result.returncode == e2e.HOLDKEY_HELD

    def app(self, name, settings):
        """The program in a folder of its own, started, holding Ctrl+F3 and
        settled: its web views load during its first second or two and hold
        its one thread for up to about 100 ms at a time, which would cost the
        clicker ticks that the figures should not count."""
        folder = os.path.join(self.folder, name)
        os.mkdir(folder)
        binary = os.path.join(folder, "velmo")
        shutil.copy2(self.path("velmo"), binary)
        e2e.make_data_file(os.path.join(folder, "data.db"))
        with open(os.path.join(folder, "setting.ini"), "wb") as f:
            f.write(e2e.settings_bytes(settings))
        sent_path = os.path.join(folder, "sent")
        process = self.spawn([binary], cwd=folder, env={
            "LD_PRELOAD": self.path("bench", "libsentcount.so"), "VELMO_BENCH_SENT": sent_path})

        def ready():
            if process.poll() is not None:
                raise RuntimeError(f"velmo ended with exit code {process.returncode}")
            return self.hotkey_held("ctrl", "F3")

        e2e.wait_until(ready, 20, "the program to hold Ctrl+F3")
        time.sleep(SETTLE_SECONDS)
        return App(process, sent_path)


def percentile(values, fraction):
    """The smallest value that at least `fraction` of the values do not exceed."""
    ordered = sorted(values)
    return ordered[max(0, math.ceil(len(ordered) * fraction) - 1)]


def references(session, table):
    log = session.counter("flood")
    count = 100000
    output = session.run(session.path("bench", "benchinput"), "flood", str(count))
    before, after = (int(v) for v in output.split()[1:])
    presses = log.wait_for(count, 120)
    seconds = (presses[-1].received_ns - before) / 1e9
    print(f"XTest flood: {count} clicks sent in {(after - before) / 1e6:.0f} ms, "
          f"all received after {seconds * 1e3:.0f} ms")
    table.append(("reference: raw XTest flood", f"{count / seconds:,.0f} clicks/s received", ""))

    count = 10000
    start = time.monotonic_ns()
    session.run("xdotool", "click", "--repeat", str(count), "--delay", "0", "1")
    presses = log.wait_for(len(log.presses) + count, 120)
    seconds = (presses[-1].received_ns - start) / 1e9
    print(f"xdotool click --repeat {count} --delay 0 1: all received after {seconds * 1e3:.0f} ms")
    table.append(("reference: xdotool click --repeat", f"{count / seconds:,.0f} clicks/s received",
                  ""))
    session.stop(log.process)


def clicker_run(session, name, time_text, seconds, options=()):
    """Runs the clicker at `time_text`, with the setting.ini `options`, for
    `seconds` between two Ctrl+F3 presses; returns the presses received once
    all that were sent arrived, the count sent and the two keys."""
    app = session.app(name, [("click", "0"), ("time", time_text), *options])
    log = session.counter(name)
    start = session.key("ctrl", "F3")
    time.sleep(seconds)
    stop = session.key("ctrl", "F3")
    sent = settled(app.sent, 0.5, 10, "the program to stop sending after the second Ctrl+F3")
    # Presses queued in the X server keep arriving after the stop; those
    # that have not come after 5 s without any are lost.
    settled(log.update, 5.0, 600, f"the {sent} presses sent to arrive", until=sent)
    presses = log.wait_quiet(1.0, 30)
    session.stop(app.process)
    session.stop(log.process)
    return presses, sent, start, stop


def settled(read, quiet, timeout, what, until=None):
    """The count `read()` once it has not changed for `quiet` seconds, or
    has reached `until`."""
    seen = {"value": read(), "since": time.monotonic()}

    def still():
        value = read()
        if value != seen["value"]:
            seen.update(value=value, since=time.monotonic())
        return (until is not None and value >= until) or time.monotonic() - seen["since"] >= quiet

    e2e.wait_until(still, timeout, lambda: f"{what} ({seen['value']} so far)")
    return seen["value"]


def throughput(session, table):
    presses, sent, start, stop = clicker_run(session, "throughput", "0.010", 10)
    seconds = (stop.after_ns - start.after_ns) / 1e9
    drained = (presses[-1].received_ns - stop.after_ns) / 1e6
    ticks = sent / CLICKS_PER_FAST_TICK
    print(f"time 0.010 for {seconds:.2f} s: sent {sent} presses ({ticks:.1f} ticks, "
          f"{ticks / seconds:.1f} ticks/s), received {len(presses)}; the last press was read "
          f"{drained:.0f} ms after the stop key (negative: before it)")
    table.append(('"0.010": clicks delivered', f"{len(presses) / seconds:,.0f} clicks/s",
                  "15,200/s"))
    table.append(('"0.010": clicks lost', f"{sent - len(presses)} of {sent}", "0"))


def tick_periods(session, table, time_text, period_ms, seconds, clicks_per_tick):
    presses, sent, _, _ = clicker_run(session, f"period-{time_text}", time_text, seconds)
    if sent != len(presses):
        print(f'time "{time_text}": {sent - len(presses)} presses lost; ticks cannot be told apart')
        table.append((f'"{time_text}": tick period', "not measured: presses lost", ""))
        return
    starts = [p.server_ms for p in presses[::clicks_per_tick]]
    periods = [b - a for a, b in zip(starts, starts[1:])]
    mean = statistics.fmean(periods)
    error = (mean - period_ms) / period_ms * 100
    print(f'time "{time_text}": {len(starts)} ticks; period mean {mean:.3f} ms, '
          f"median {statistics.median(periods):g} ms, p99 {percentile(periods, 0.99)} ms, "
          f"min {min(periods)} ms, max {max(periods)} ms")
    table.append((f'"{time_text}": tick period ({len(periods)} periods)',
                  f"mean {mean:.3f} ms ({error:+.2f} %), p99 {percentile(periods, 0.99)} ms",
                  "mean error < 0.5 %"))


def option_figures(session, table, label, time_text, period_ms, clicks_per_tick, options):
    presses, sent, start, stop = clicker_run(session, f"option-{label}-{time_text}", time_text, 30,
                                               options)
    seconds = (stop.after_ns - start.after_ns) / 1e9
    starts = [p.server_ms for p in presses[::clicks_per_tick]]
    periods = [b - a for a, b in zip(starts, starts[1:])]
    mean = statistics.fmean(periods)
    error = (mean - period_ms) / period_ms * 100
    print(f'{label} at "{time_text}": {len(presses)} of {sent} presses received in {seconds:.2f} s; '
          f"period mean {mean:.3f} ms, min {min(periods)} ms, max {max(periods)} ms")
    table.append((f'{label}, "{time_text}"',
                  f"{len(presses) / seconds:,.0f} clicks/s, mean period {mean:.3f} ms "
                  f"({error:+.2f} %), {min(periods)}-{max(periods)} ms", "mean error < 0.5 %"))


def latency(session, table, trials=25):
    app = session.app("latency", [("click", "0"), ("time", "0.1")])
    log = session.counter("latency")
    monotonic_ms, server_ms, round_trip_ms = [], [], []
    for _ in range(trials):
        before = log.update()
        key = session.key("ctrl", "F3")
        first = log.wait_for(before + 1, 10)[before]
        monotonic_ms.append((first.received_ns - key.after_ns) / 1e6)
        server_ms.append(first.server_ms - key.server_ms)
        round_trip_ms.append((key.after_ns - key.before_ns) / 1e6)
        session.key("ctrl", "F3")
        log.wait_quiet(0.3, 10)
    session.stop(app.process)
    session.stop(log.process)
    median = statistics.median(monotonic_ms)
    print(f"hotkey to first click, {trials} trials at 0.1 s: CLOCK_MONOTONIC median "
          f"{median:.1f} ms (min {min(monotonic_ms):.1f}, max {max(monotonic_ms):.1f}); X server time median "
          f"{statistics.median(server_ms):g} ms; sending the key press took "
          f"{statistics.median(round_trip_ms):.2f} ms (median), the most the key can have been "
          f"made before the latency's start")
    table.append(('"0.1": Ctrl+F3 to first click', f"median {median:.1f} ms "
                  f"(period 100 ms + {median - 100:.1f} ms)", ""))


def print_table(table):
    widths = [max(len(row[i]) for row in table) for i in range(3)]
    for row in table:
        print("  ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip())


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", required=True, help="the build folder")
    build = os.path.abspath(parser.parse_args().build)
    os.environ["VELMO_SCHEMA"] = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                              "assets", "data.sql")
    folder = tempfile.mkdtemp(prefix="velmo-bench-")
    session = Session(build, folder)
    table = [("measure", "figure", "target")]
    try:
        references(session, table)
        throughput(session, table)
        tick_periods(session, table, "0.010", 10, 30, CLICKS_PER_FAST_TICK)
        tick_periods(session, table, "0.1", 100, 30, 1)
        tick_periods(session, table, "1", 1000, 31, 1)
        latency(session, table)
        option_figures(session, table, "jitter 30 %", "0.010", 10, CLICKS_PER_FAST_TICK,
                       [("jitter", "30")])
        option_figures(session, table, "jitter 30 %", "0.1", 100, 1, [("jitter", "30")])
        option_figures(session, table, "hold 50 ms", "0.1", 100, 1, [("hold", "50")])
        option_figures(session, table, "fail-safe", "0.010", 10, CLICKS_PER_FAST_TICK,
                       [("failsafe", "1")])
    finally:
        session.close()
        shutil.rmtree(folder, ignore_errors=True)
    print()
    print_table(table)


if __name__ == "__main__":
    main()
