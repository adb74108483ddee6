"""A private headless sway for Wayland tests: no GPU, no input devices, one
1024x768 output HEADLESS-1 at 0,0, no bar, Xwayland on request.

sway refuses to run as root. When the tests run as root, sway and every
client a test starts through `spawn_wayland` run as nobody (setpriv), with a
HOME and XDG_RUNTIME_DIR of their own that nobody owns; otherwise they run as
the calling user. Programs nobody may not execute where they were built are
copied to a folder it can read (`runnable`). WaylandTestCase, the clients'
side of this, serves other compositors as well. Tools come from the
environment CTest sets: WLCLICKCOUNTER, WAYLAND_BACKEND_CHECK, VELMO_BINARY.
"""

import glob
import itertools
import json
import os
import pwd
import shutil
import signal
import subprocess
import tempfile
import time

from e2e import (ChildrenTestCase, Counter, LineReader, make_data_file, settings_bytes,
                 stop_process, tool, wait_until)

AS_ROOT = os.geteuid() == 0
NOBODY = pwd.getpwnam("nobody") if AS_ROOT else None
DROP = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"] if AS_ROOT else []


def own_folder(path, mode=0o700):
    """Makes `path` a folder the clients' user owns."""
    os.makedirs(path, exist_ok=True)
    if AS_ROOT:
        os.chown(path, NOBODY.pw_uid, NOBODY.pw_gid)
    os.chmod(path, mode)
    return path


class Compositor:
    """What every headless compositor process here shares: its log and the
    guard that fails a wait as soon as it has ended."""

    name = "sway"

    def log(self):
        with open(self.log_path, "rb") as log:
            return log.read().decode("utf-8", "replace")

    def _alive(self):
        if self.process.poll() is not None:
            raise AssertionError(f"{self.name} ended with exit code {self.process.returncode}: "
                                 f"{self.log()}")


class Sway(Compositor):
    """sway on a private runtime folder under `base`; `env` is what its
    clients need (WAYLAND_DISPLAY, SWAYSOCK, XDG_RUNTIME_DIR, HOME and, with
    Xwayland, DISPLAY)."""

    def __init__(self, base, xwayland=False, timeout=20):
        self.base = own_folder(base, 0o711)
        runtime = own_folder(os.path.join(base, "runtime"))
        home = own_folder(os.path.join(base, "home"))
        self.log_path = os.path.join(base, "sway.log")
        display_file = os.path.join(base, "display")
        config = os.path.join(base, "config")
        with open(config, "w", encoding="ascii") as f:
            f.write("output HEADLESS-1 resolution 1024x768 position 0,0\n")
            f.write(f"xwayland {'force' if xwayland else 'disable'}\n")
            if xwayland:
                f.write(f"exec sh -c 'echo $DISPLAY > {display_file}.new && "
                        f"mv {display_file}.new {display_file}'\n")
        os.chmod(config, 0o644)
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "SWAYSOCK", "XDG_RUNTIME_DIR")}
        env.update(HOME=home, XDG_RUNTIME_DIR=runtime, WLR_BACKENDS="headless",
                   WLR_RENDERER="pixman", WLR_LIBINPUT_NO_DEVICES="1")
        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen([*DROP, "sway", "-c", config], env=env, stdout=log,
                                            stderr=subprocess.STDOUT, start_new_session=True)
        try:
            self.env = dict(env, **self._wait_for_sockets(runtime, timeout))
            if xwayland:
                self.env["DISPLAY"] = self._wait_for_xwayland(display_file, timeout)
        except BaseException:
            self.stop()
            raise

    def _wait_for_sockets(self, runtime, timeout):
        def sockets():
            wayland = [p for p in glob.glob(os.path.join(runtime, "wayland-*"))
                       if not p.endswith(".lock")]
            ipc = glob.glob(os.path.join(runtime, "sway-ipc.*.sock"))
            return wayland and ipc and {"WAYLAND_DISPLAY": os.path.basename(wayland[0]),
                                        "SWAYSOCK": ipc[0]}

        return wait_until(sockets, timeout, lambda: f"sway's sockets; its log: {self.log()}",
                          [self._alive])

    def _wait_for_xwayland(self, display_file, timeout):
        def display():
            if not os.path.exists(display_file):
                return None
            with open(display_file, encoding="ascii") as f:
                name = f.read().strip()
            return name if os.path.exists(f"/tmp/.X11-unix/X{name.lstrip(':')}") else None

        return wait_until(display, timeout, lambda: f"Xwayland; sway's log: {self.log()}",
                          [self._alive])

    def swaymsg(self, *args, check=True):
        """swaymsg's parsed JSON answer; with `check`, fails unless every
        command succeeded."""
        commands = not args or args[0] != "-t"
        # "--": a command's negative numbers are no options of swaymsg.
        result = subprocess.run([*DROP, "swaymsg", "-r", *(["--"] if commands else []), *args],
                                env=self.env, capture_output=True, timeout=10)
        answer = json.loads(result.stdout or b"null")
        if check and (result.returncode != 0 or (commands and not all(
                reply.get("success") for reply in answer))):
            raise AssertionError(f"swaymsg {' '.join(args)} failed: {answer} "
                                 f"{result.stderr.decode()}")
        return answer

    def outputs(self):
        """{name: (x, y, width, height)} of the active outputs."""
        return {o["name"]: tuple(o["rect"][k] for k in ("x", "y", "width", "height"))
                for o in self.swaymsg("-t", "get_outputs") if o.get("active")}

    def add_output(self, width, height, x, y):
        """Creates a headless output at (x, y) of the layout and returns its name."""
        before = set(self.outputs())
        self.swaymsg("create_output")
        name = wait_until(lambda: set(self.outputs()) - before, 10, "the new output").pop()
        self.swaymsg("output", name, "resolution", f"{width}x{height}", "position", str(x), str(y))
        wait_until(lambda: self.outputs()[name] == (x, y, width, height), 10,
                   f"{name} at {x},{y} sized {width}x{height}")
        return name

    def stop(self):
        """Ends sway, which ends Xwayland, then what else it started (its exec
        commands). sway first: it starts Xwayland anew when that dies first."""
        stop_process(self.process)
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass


class WaylandTestCase(ChildrenTestCase):
    """One compositor for the class, which `start_compositor(folder)` starts
    and returns (its `env` is what its clients need; `stop` ends it); a
    folder the clients may write and a list of child processes for each
    test."""

    @classmethod
    def start_compositor(cls, folder):
        raise NotImplementedError

    @classmethod
    def setUpClass(cls):
        cls.base_dir = tempfile.mkdtemp(prefix="velmo-wayland-")
        cls.addClassCleanup(shutil.rmtree, cls.base_dir, ignore_errors=True)
        cls.compositor = cls.start_compositor(cls.base_dir)
        cls.addClassCleanup(cls.compositor.stop)

    def setUp(self):
        self.tmp = own_folder(tempfile.mkdtemp(prefix="velmo-wl-", dir=self.base_dir))

    def runnable(self, path):
        """`path`, or a copy the clients' user may execute."""
        if not AS_ROOT or subprocess.run([*DROP, "test", "-x", path]).returncode == 0:
            return path
        copy = os.path.join(own_folder(os.path.join(self.base_dir, "bin"), 0o755),
                            os.path.basename(path))
        if not os.path.exists(copy):
            shutil.copy2(path, copy)
            os.chmod(copy, 0o755)
        return copy

    def spawn_wayland(self, args, name, stdin=None, env=None):
        """Starts a client of the compositor (as nobody when we are root)
        with `env` added; its stderr goes to a file quoted by `output_of`."""
        log_path = os.path.join(self.tmp, f"{name}.stderr")
        with open(log_path, "wb") as log:
            process = subprocess.Popen([*DROP, self.runnable(args[0]), *args[1:]],
                                       env=dict(self.compositor.env, **(env or {})), cwd=self.tmp,
                                       stdin=stdin, stdout=subprocess.PIPE, stderr=log)
        process.log_path = log_path
        self.addCleanup(stop_process, process)
        return process

    def install_velmo(self, scripts, settings):
        """A folder of the clients' user holding the program, a data.db with
        `scripts` (see make_data_file) and a setting.ini of `settings`
        pairs; returns the program's path."""
        folder = own_folder(os.path.join(self.tmp, "app"))
        binary = os.path.join(folder, "velmo")
        shutil.copy2(tool("VELMO_BINARY"), binary)
        make_data_file(os.path.join(folder, "data.db"), scripts)
        with open(os.path.join(folder, "setting.ini"), "wb") as f:
            f.write(settings_bytes(settings))
        for name in os.listdir(folder):
            shutil.chown(os.path.join(folder, name), NOBODY.pw_uid if NOBODY else None,
                         NOBODY.pw_gid if NOBODY else None)
        return binary


class SwayTestCase(WaylandTestCase):
    """Headless sway for the class; `xwayland` says whether it runs Xwayland."""

    xwayland = False
    counters = itertools.count()

    @classmethod
    def start_compositor(cls, folder):
        cls.sway = Sway(folder, cls.xwayland)
        return cls.sway

    def swaymsg(self, *args, check=True):
        return self.sway.swaymsg(*args, check=check)

    def wtype(self, *args):
        result = subprocess.run([*DROP, "wtype", *args], env=self.sway.env, capture_output=True,
                                timeout=10)
        self.assertEqual(result.returncode, 0, f"wtype {' '.join(args)}: {result.stderr.decode()}")

    def start_counter(self, output="HEADLESS-1"):
        """A Wayland click counter shown full screen on `output`. The seat
        must have a pointer already (a backend's virtual pointer), or the
        counter learns of it only with the first clicks."""
        self.swaymsg("focus", "output", output)
        path = os.path.join(self.tmp, f"clicks-{next(self.counters)}.txt")
        process = self.spawn_wayland([tool("WLCLICKCOUNTER"), path], f"wlclickcounter-{output}")
        line = LineReader(process, "wlclickcounter").read_line(10)
        self.assertEqual(line, "ready", f"wlclickcounter: {self.output_of(process)}")
        return Counter(path, self.alive_guard(process, "wlclickcounter"))
