"""End-to-end test helpers: a private X server per test class, our small X
clients (a click counter, a key holder), xdotool for the user's hands, and
the real program run from a throw-away folder with the files it ships with.

Every wait has a deadline and fails with a sentence saying what did not
happen. Every process a test starts is killed when the test ends, whatever
the outcome. Tools come from environment variables that CTest sets:
CLICKCOUNTER, HOLDKEY, X11_BACKEND_CHECK, VELMO_BINARY, VELMO_SCHEMA, VELMO_VERSION.
"""

import os
import re
import select
import shutil
import signal
import sqlite3
import subprocess
import tempfile
import time
import unittest

SCREEN = "1024x768x24"
APP_TITLE = "Velmo鼠标自动点击器V" + os.environ.get("VELMO_VERSION", "")
MAIN_CAPTION = "Velmo鼠标自动点击器提示"
HOLDKEY_FREE, HOLDKEY_HELD = 0, 3


def tool(variable):
    path = os.environ.get(variable)
    if not path:
        raise RuntimeError(
            f"{variable} is not set: run these tests through ctest, which names the built tools")
    return path


def wait_until(predicate, timeout, what, guards=()):
    """Polls `predicate` until it returns a true value, which is returned.
    `what` names the awaited event for the failure text; a callable is asked
    at the time of failure, to say how far things got. `guards` are callables
    that raise when something the wait depends on has died, so that a crash is
    reported as a crash and not as a timeout."""
    deadline = time.monotonic() + timeout
    while True:
        for guard in guards:
            guard()
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            described = what() if callable(what) else what
            raise AssertionError(f"timed out after {timeout} s waiting for {described}")
        time.sleep(0.05)


class LineReader:
    """Reads whole lines from a child's stdout with a deadline."""

    def __init__(self, process, name):
        self.process = process
        self.name = name
        self.buffer = b""

    def read_line(self, timeout):
        deadline = time.monotonic() + timeout
        while b"\n" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise AssertionError(f"{self.name} printed no line within {timeout} s "
                                     f"(so far: {self.buffer!r})")
            ready, _, _ = select.select([self.process.stdout], [], [], left)
            if ready:
                chunk = os.read(self.process.stdout.fileno(), 4096)
                if not chunk:
                    raise AssertionError(f"{self.name} ended (exit code {self.process.wait()}) "
                                         f"before printing a line (so far: {self.buffer!r})")
                self.buffer += chunk
        line, self.buffer = self.buffer.split(b"\n", 1)
        return line.decode("utf-8", "replace")


def stop_process(process):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=3)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
    for stream in (process.stdin, process.stdout):
        if stream:
            stream.close()


class XServer:
    """A private Xvfb; -displayfd lets the server pick a free display number
    and tells us once it accepts connections. -noreset: by default the server
    resets whenever its last client leaves, which refuses connections for a
    moment between two tests and forgets where the pointer was."""

    def __init__(self, log_path, extra_args=(), timeout=15):
        read_end, write_end = os.pipe()
        with open(log_path, "wb") as log:
            self.process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN, "-nolisten", "tcp",
                 "-noreset", *extra_args],
                pass_fds=(write_end,), stdout=log, stderr=subprocess.STDOUT,
                start_new_session=True)
        os.close(write_end)
        try:
            number = self._read_display(read_end, timeout, log_path)
        except BaseException:
            stop_process(self.process)
            raise
        finally:
            os.close(read_end)
        self.display = f":{number}"
        self.env = {k: v for k, v in os.environ.items() if k != "WAYLAND_DISPLAY"}
        self.env.update(DISPLAY=self.display, NO_AT_BRIDGE="1", GDK_BACKEND="x11")
        # xwininfo prints window names in the locale's encoding.
        self.tool_env = dict(self.env, LC_ALL="C.UTF-8")

    def _read_display(self, fd, timeout, log_path):
        text = b""
        deadline = time.monotonic() + timeout
        while not text.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or self.process.poll() is not None:
                with open(log_path, "rb") as log:
                    detail = log.read().decode("utf-8", "replace")
                raise AssertionError(f"Xvfb did not start within {timeout} s: {detail}")
            if select.select([fd], [], [], left)[0]:
                chunk = os.read(fd, 64)
                if not chunk:
                    continue
                text += chunk
        return int(text)

    def stop(self):
        stop_process(self.process)


class Counter:
    """The click counter's file, read as (button, x, y) tuples; its two time
    stamps are for benchmarks. Waits fail at once when the counter process has
    died."""

    def __init__(self, path, guard):
        self.path = path
        self.guard = guard

    def presses(self):
        return [tuple(int(v) for v in fields[1:4]) for fields in self.events("press")]

    def events(self, kind):
        """The fields of every line of `kind`: press, release, key, keyup."""
        with open(self.path, encoding="ascii") as f:
            return [line.split() for line in f.read().splitlines()
                    if line.startswith(kind + " ")]

    def ticks(self, kind="press"):
        """The server times in milliseconds of the lines of `kind`."""
        return [int(fields[4]) for fields in self.events(kind)]

    def wait_for(self, count, timeout=10, guards=()):
        """The presses once there are at least `count`."""
        def enough():
            presses = self.presses()
            return presses if len(presses) >= count else None

        return wait_until(enough, timeout,
                          lambda: f"{count} clicks on the counter (got {len(self.presses())})",
                          [self.guard, *guards])

    def wait_until_quiet(self, quiet=1.0, timeout=30, guards=()):
        """The presses once none arrived for `quiet` seconds: clicks queued in
        the X server keep arriving for a while after the clicker stopped."""
        seen = {"count": -1, "since": time.monotonic()}

        def quiet_now():
            count = len(self.presses())
            if count != seen["count"]:
                seen.update(count=count, since=time.monotonic())
                return False
            return time.monotonic() - seen["since"] >= quiet

        wait_until(quiet_now, timeout, f"the clicks to stop for {quiet} s",
                   [self.guard, *guards])
        return self.presses()


def start_window_manager(x, log_path):
    """Starts openbox on `x` and returns its process once it manages the
    screen (it has announced itself on the root window)."""
    with open(log_path, "wb") as log:
        process = subprocess.Popen(["openbox", "--sm-disable"], env=x.env,
                                   stdout=log, stderr=subprocess.STDOUT, start_new_session=True)

    def managing():
        if process.poll() is not None:
            with open(log_path, "rb") as log:
                raise AssertionError(f"openbox ended at start: {log.read().decode('utf-8', 'replace')}")
        result = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=x.env,
                                capture_output=True, timeout=10)
        return b"window id" in result.stdout

    try:
        wait_until(managing, 15, "openbox to manage the screen")
    except BaseException:
        stop_process(process)
        raise
    return process


class XTestCase(unittest.TestCase):
    """A private X server for the class, with openbox on it when
    `window_manager`; a temporary folder and a list of child processes for
    each test."""

    xvfb_args = ()
    window_manager = False

    @classmethod
    def setUpClass(cls):
        cls.server_dir = tempfile.mkdtemp(prefix="velmo-x-")
        cls.addClassCleanup(shutil.rmtree, cls.server_dir, ignore_errors=True)
        cls.x = XServer(os.path.join(cls.server_dir, "xvfb.log"), cls.xvfb_args)
        cls.addClassCleanup(cls.x.stop)
        if cls.window_manager:
            wm = start_window_manager(cls.x, os.path.join(cls.server_dir, "openbox.log"))
            cls.addClassCleanup(stop_process, wm)

    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="velmo-e2e-")
        self.addCleanup(shutil.rmtree, self.tmp, ignore_errors=True)

    def spawn(self, args, name, cwd=None, stdin=None, env=None):
        """Starts a child on our display, with `env` added to its environment;
        its stderr goes to a file named after it, quoted by `output_of` in
        failure texts."""
        log_path = os.path.join(self.tmp, f"{name}.stderr")
        env = dict(env or {})
        if name == "velmo" and "XDG_RUNTIME_DIR" not in env:
            # One program runs per user and desktop: each start here is a
            # user of its own, so that a test may keep several side by side.
            env["XDG_RUNTIME_DIR"] = tempfile.mkdtemp(prefix="run-", dir=self.tmp)
            if args[0] == "setpriv":
                shutil.chown(env["XDG_RUNTIME_DIR"], "nobody")
            self.app_env = env
        with open(log_path, "wb") as log:
            process = subprocess.Popen(args, env=dict(self.x.env, **env), cwd=cwd,
                                       stdin=stdin, stdout=subprocess.PIPE, stderr=log)
        process.log_path = log_path
        self.addCleanup(stop_process, process)
        return process

    @staticmethod
    def output_of(process):
        with open(process.log_path, "rb") as log:
            return log.read().decode("utf-8", "replace")

    def alive_guard(self, process, name):
        def guard():
            if process.poll() is not None:
                raise AssertionError(f"{name} ended with exit code {process.returncode}; "
                                     f"its stderr: {self.output_of(process)}")
        return guard

    def run_tool(self, *args, timeout=10):
        return subprocess.run(args, env=self.x.tool_env, capture_output=True, timeout=timeout)

    def xdotool(self, *args):
        result = self.run_tool("xdotool", *args)
        self.assertEqual(result.returncode, 0,
                         f"xdotool {' '.join(args)} failed: {result.stderr.decode()}")

    def start_counter(self, mode=None):
        """A counter over the whole screen; mode "--focus" also takes the
        keyboard focus and counts keys, "--raw" maps no window and counts the
        clicks every window gets."""
        path = os.path.join(self.tmp, "clicks.txt")
        process = self.spawn([tool("CLICKCOUNTER"), path, *([mode] if mode else [])],
                             "clickcounter")
        line = LineReader(process, "clickcounter").read_line(10)
        self.assertEqual(line, "ready", f"clickcounter: {self.output_of(process)}")
        return Counter(path, self.alive_guard(process, "clickcounter"))

    def hold_key(self, modifiers, keysym):
        process = self.spawn([tool("HOLDKEY"), modifiers, keysym], "holdkey")
        line = LineReader(process, "holdkey").read_line(10)
        self.assertEqual(line, "holding", f"holdkey: {self.output_of(process)}")
        return process

    def probe_key(self, modifiers, keysym):
        """HOLDKEY_FREE or HOLDKEY_HELD: whether anyone holds the combination."""
        result = self.run_tool(tool("HOLDKEY"), "--probe", modifiers, keysym)
        self.assertIn(result.returncode, (HOLDKEY_FREE, HOLDKEY_HELD),
                      f"holdkey --probe failed: {result.stderr.decode()}")
        return result.returncode

    def windows_titled(self, title):
        """Viewable windows whose _NET_WM_NAME is `title`: top-level ones, or
        the ones a window manager has put into its frames. xdotool search
        --name misses non-ASCII titles; xwininfo prints the UTF-8 name under a
        UTF-8 locale."""
        tree = self.run_tool("xwininfo", "-root", "-tree").stdout.decode("utf-8", "replace")
        return [window for window, name in re.findall(r'^\s+(0x[0-9a-f]+) "(.*)": \(', tree, re.M)
                if name == title and self.viewable(window)]

    def viewable(self, window):
        info = self.run_tool("xwininfo", "-id", window).stdout.decode("utf-8", "replace")
        return "Map State: IsViewable" in info

    def top_level_of(self, window):
        """The child of the root that holds `window`: itself, or the frame a
        window manager has put it in."""
        while True:
            tree = self.run_tool("xwininfo", "-id", window, "-tree").stdout.decode("utf-8", "replace")
            root = re.search(r"Root window id: (0x[0-9a-f]+)", tree).group(1)
            parent = re.search(r"Parent window id: (0x[0-9a-f]+)", tree).group(1)
            if parent == root:
                return window
            window = parent

    def windows_over(self, point, window):
        """Viewable top-level windows other than `window` (or its frame) that
        contain screen `point`."""
        window = self.top_level_of(window)
        tree = self.run_tool("xwininfo", "-root", "-children").stdout.decode("utf-8", "replace")
        found = []
        pattern = r"^\s+(0x[0-9a-f]+) .*\s(\d+)x(\d+)\+(-?\d+)\+(-?\d+)\s+\S+$"
        for other, *numbers in re.findall(pattern, tree, re.M):
            width, height, left, top = map(int, numbers)
            if (other != window and left <= point[0] < left + width
                    and top <= point[1] < top + height and self.viewable(other)):
                found.append(other)
        return found

    def wait_for_window(self, title, timeout=20, guards=()):
        return wait_until(lambda: self.windows_titled(title), timeout,
                          f"a window titled {title!r}", guards)

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen."""
        info = self.run_tool("xwininfo", "-id", window).stdout.decode("utf-8", "replace")
        fields = ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")
        return tuple(int(re.search(rf"^\s*{name}:\s*(-?\d+)", info, re.M).group(1))
                     for name in fields)

    def press_return_in(self, window):
        """Gives `window` the keyboard focus and presses Return, which answers
        a message box with its default button. Without a window manager
        nobody else moves the focus to a new window."""
        self.xdotool("windowfocus", "--sync", window, "key", "Return")

    def screen_area(self, x, y, width, height):
        """The pixels of a screen rectangle, as raw bytes to compare."""
        result = self.run_tool("import", "-window", "root", "-crop",
                               f"{width}x{height}+{x}+{y}", "rgb:-")
        self.assertEqual(result.returncode, 0, f"import failed: {result.stderr.decode()}")
        return result.stdout

    def click_and_wait_for_redraw(self, click, area, what, guards=(), pixels=200, window=None):
        """Clicks at screen point `click` and waits until at least `pixels`
        pixels of screen rectangle `area` look different, so that the next
        click meets what the first one has drawn. The default is more than a
        blinking text cursor changes. With `window`, first waits until no
        other window covers it at `click`: a program's popup may show where
        it pleases before it moves to its place."""
        if window:
            wait_until(lambda: not self.windows_over(click, window), 10,
                       lambda: f"the windows {self.windows_over(click, window)} to leave {click}",
                       guards)
        before = self.screen_area(*area)
        self.xdotool("mousemove", str(click[0]), str(click[1]), "click", "1")

        def changed():
            now = self.screen_area(*area)
            return sum(now[i:i + 3] != before[i:i + 3] for i in range(0, len(now), 3)) >= pixels

        wait_until(changed, 10, what, guards)


def settings_bytes(pairs):
    """A setting.ini as the program writes it: section "setting", CRLF line
    ends, GBK text."""
    text = "[setting]\r\n" + "".join(f"{key}={value}\r\n" for key, value in pairs)
    return text.encode("gbk")


def make_data_file(path, scripts=()):
    """A script store made from the schema script, as shipped, holding
    `scripts`: (name, hotkey, points, loop count) rows in id order from 1."""
    with open(tool("VELMO_SCHEMA"), encoding="utf-8") as f:
        schema = f.read()
    connection = sqlite3.connect(path)
    try:
        connection.executescript(schema)
        connection.executemany(
            "insert into mplist (mpname,hotkey,mpoint,clicknum) values (?,?,?,?)", scripts)
        connection.commit()
    finally:
        connection.close()


class AppTestCase(XTestCase):
    """Runs the real program, copied with its data file into a fresh folder
    so that the setting.ini and data.db beside it are the test's own."""

    main_window = None

    def start_app(self, settings=None, scripts=(), data_file=True, env=None, command=()):
        """`scripts` go into data.db (see make_data_file); without
        `data_file` the program starts with no data.db at all. `command`
        runs the program, named last."""
        folder = os.path.join(self.tmp, "app")
        os.mkdir(folder)
        binary = os.path.join(folder, "velmo")
        shutil.copy2(tool("VELMO_BINARY"), binary)
        if data_file:
            make_data_file(os.path.join(folder, "data.db"), scripts)
        if settings is not None:
            with open(os.path.join(folder, "setting.ini"), "wb") as f:
                f.write(settings_bytes(settings))
        process = self.spawn([*command, binary], "velmo", cwd=folder, stdin=subprocess.DEVNULL,
                             env=env)
        self.app_guard = self.alive_guard(process, "velmo")
        return process

    def wait_for_main_window(self):
        """The main window's id."""
        self.main_window = self.wait_for_window(APP_TITLE, guards=[self.app_guard])[0]
        return self.main_window

    def click_and_wait_for_redraw(self, click, area, what, guards=(), pixels=200, window=None):
        """As XTestCase's; the click is meant for the main window unless
        `window` says otherwise."""
        super().click_and_wait_for_redraw(click, area, what, guards, pixels,
                                          window or self.main_window)

    def wait_for_hotkey(self, modifiers, keysym):
        """Waits until someone (the program) holds the combination, so that a
        key press sent now reaches it."""
        wait_until(lambda: self.probe_key(modifiers, keysym) == HOLDKEY_HELD, 10,
                   f"the program to grab {modifiers}+{keysym}", [self.app_guard])
