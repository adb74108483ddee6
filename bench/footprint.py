"""Memory and start-up figures of the real program on a private Xvfb. Prints
figures; judges nothing.

  python3 bench/footprint.py --build BUILD_DIR [--starts 5]

Measures:
  start-up     from just before the process is started to its main window
               being viewable (xwininfo's map state, polled), median of
               several fresh starts
  idle         10 s after each of those starts: PSS summed over the program and every
               process descended from it (/proc/PID/smaps_rollup), with the
               count and PSS of each kind of process (the name of its program).
               PSS shares the pages of a library among every process on the
               machine that maps it, so it moves with what else runs; the
               private pages (USS) do not and are printed beside it. Both
               move by tens of MB from start to start on a busy machine: the
               median run is printed with the range of the totals
  opened once  in one more run, 10 s after its start and then after the web window (更多软件), the feedback window (意见反馈)
               and the about box (关于软件) were each opened, left 2 s and
               closed, one after the other
  ten cycles   after ten more such openings and closings of each, and 10 s
               more

The program's pages live on hosts that never resolve, so every page fails as
it does on a machine without network. Buttons are pressed with xdotool at
their place in the main window; windows are closed as a window manager would,
with a WM_DELETE_WINDOW message.
"""

import argparse
import ctypes
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import e2e  # noqa: E402  (the end-to-end helpers: Xvfb, program files)

IDLE_SECONDS = 10
SHOWN_SECONDS = 2
CYCLES = 10
# Button centres relative to the main window's top-left corner.
BUTTONS = {"web window": ("更多软件", 143, 337), "feedback window": ("意见反馈", 233, 337),
           "about box": ("关于软件", 53, 337)}


def descendants(root):
    """`root` and every process below it."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    parent = int(f.read().rsplit(")", 1)[1].split()[1])
            except OSError:
                continue
            children.setdefault(parent, []).append(int(entry))
    found, todo = [], [root]
    while todo:
        pid = todo.pop()
        found.append(pid)
        todo.extend(children.get(pid, []))
    return found


def footprint(root):
    """{kind: (count, PSS kB, USS kB)} over the process tree of `root`."""
    kinds = {}
    for pid in descendants(root):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                kind = os.path.basename(f.read().split(b"\0")[0].decode())
            with open(f"/proc/{pid}/smaps_rollup") as f:
                rollup = f.read()
        except OSError:
            continue
        fields = dict(re.findall(r"^(\w+):\s+(\d+) kB", rollup, re.M))
        if "Pss" not in fields:
            continue
        uss = int(fields["Private_Clean"]) + int(fields["Private_Dirty"])
        count, pss_total, uss_total = kinds.get(kind, (0, 0, 0))
        kinds[kind] = (count + 1, pss_total + int(fields["Pss"]), uss_total + uss)
    return kinds


def describe(kinds):
    pss = sum(k[1] for k in kinds.values()) / 1024
    uss = sum(k[2] for k in kinds.values()) / 1024
    parts = [f"{name} {count}x {p / 1024:.0f} MB" for name, (count, p, _) in sorted(kinds.items())]
    return f"PSS {pss:6.1f} MB, USS {uss:6.1f} MB  ({', '.join(parts)})"


class WindowCloser:
    """Sends WM_DELETE_WINDOW, as a window manager's close box does."""

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                    ("pad", ctypes.c_long * 16)]

    def __init__(self, display):
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XInternAtom.restype = ctypes.c_ulong
        self.x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        self.x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                      ctypes.c_void_p]
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.display = self.x.XOpenDisplay(display.encode())
        if not self.display:
            raise RuntimeError(f"cannot open display {display}")
        self.protocols = self.x.XInternAtom(self.display, b"WM_PROTOCOLS", 0)
        self.delete = self.x.XInternAtom(self.display, b"WM_DELETE_WINDOW", 0)

    def close(self, window):
        event = self.ClientMessage(type=33, send_event=1, window=int(window, 16),
                                   message_type=self.protocols, format=32)
        event.data[0] = self.delete
        self.x.XSendEvent(self.display, int(window, 16), 0, 0, ctypes.byref(event))
        self.x.XFlush(self.display)


class Session:
    def __init__(self, build, folder):
        self.build = build
        self.folder = folder
        self.x = e2e.XServer(os.path.join(folder, "xvfb.log"))
        self.closer = WindowCloser(self.x.display)

    def tool(self, *args):
        """A tool's output; empty when it failed (a window gone meanwhile)."""
        return subprocess.run(args, env=self.x.tool_env, capture_output=True,
                              timeout=10).stdout.decode("utf-8", "replace")

    def viewable_windows(self):
        """{id: name} of the viewable named top-level windows: one listing of
        the names, one search for the viewable ones."""
        tree = self.tool("xwininfo", "-root", "-children")
        named = {int(window, 16): name
                 for window, name in re.findall(r'^\s+(0x[0-9a-f]+) "(.*)": \(', tree, re.M)}
        viewable = self.tool("xdotool", "search", "--onlyvisible", "--maxdepth", "1", "--class", "")
        return {hex(w): named[w] for w in map(int, viewable.split()) if w in named}

    def main_window(self):
        return [w for w, name in self.viewable_windows().items() if name == e2e.APP_TITLE]

    def start(self, name):
        folder = os.path.join(self.folder, name)
        os.mkdir(folder)
        binary = os.path.join(folder, "velmo")
        shutil.copy2(os.path.join(self.build, "velmo"), binary)
        e2e.make_data_file(os.path.join(folder, "data.db"))
        started = time.monotonic()
        process = subprocess.Popen([binary], cwd=folder, env=self.x.env, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = e2e.wait_until(self.main_window, 30, "the main window")[0]
        return process, window, time.monotonic() - started

    def geometry(self, window):
        info = self.tool("xwininfo", "-id", window)
        return tuple(int(re.search(rf"^\s*{field}:\s*(-?\d+)", info, re.M).group(1))
                     for field in ("Absolute upper-left X", "Absolute upper-left Y"))

    def open_and_close(self, main, button):
        _, dx, dy = BUTTONS[button]
        x, y = self.geometry(main)
        before = set(self.viewable_windows())
        self.tool("xdotool", "mousemove", str(x + dx), str(y + dy), "click", "1")
        opened = e2e.wait_until(lambda: set(self.viewable_windows()) - before, 20,
                                f"the {button} to open")
        time.sleep(SHOWN_SECONDS)
        for window in opened:
            self.closer.close(window)
        e2e.wait_until(lambda: not opened & set(self.viewable_windows()), 20,
                       f"the {button} to close")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", required=True, help="the build folder")
    parser.add_argument("--starts", type=int, default=5, help="fresh starts for the start-up time")
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    os.environ["VELMO_SCHEMA"] = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                              "assets", "data.sql")
    folder = tempfile.mkdtemp(prefix="velmo-footprint-")
    session = Session(build, folder)
    process = None
    try:
        times, idle = [], []
        for run in range(args.starts):
            process, _, seconds = session.start(f"start{run}")
            times.append(seconds)
            time.sleep(max(0, IDLE_SECONDS - seconds))
            idle.append(footprint(process.pid))
            e2e.stop_process(process)
        print(f"start-up to the mapped main window: median {statistics.median(times) * 1000:.0f} ms"
              f" ({', '.join(f'{t * 1000:.0f}' for t in times)} ms)")
        idle.sort(key=lambda kinds: sum(k[1] for k in kinds.values()))
        totals = [sum(k[1] for k in kinds.values()) / 1024 for kinds in idle]
        print(f"idle {IDLE_SECONDS} s after start, median of {len(idle)}: "
              f"{describe(idle[len(idle) // 2])}; PSS from {totals[0]:.0f} to {totals[-1]:.0f} MB")

        process, main_window, _ = session.start("footprint")
        time.sleep(IDLE_SECONDS)
        print(f"before use:           {describe(footprint(process.pid))}")
        for button in BUTTONS:
            session.open_and_close(main_window, button)
        print(f"each window once:     {describe(footprint(process.pid))}")
        for _ in range(CYCLES):
            for button in BUTTONS:
                session.open_and_close(main_window, button)
        time.sleep(IDLE_SECONDS)
        print(f"after {CYCLES} cycles each:  {describe(footprint(process.pid))}")
    finally:
        if process:
            e2e.stop_process(process)
        session.x.stop()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
