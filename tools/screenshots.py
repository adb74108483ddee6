"""Takes the README's pictures from the real program: the clicker page, the
script page and the 高级设置 dialog, on a private X server with openbox, so
they show the windows as a desktop frames them. Run by
scripts/screenshots.sh, which builds the program and names it in the
environment as the end-to-end tests do (VELMO_BINARY, VELMO_SCHEMA,
VELMO_VERSION). Writes PNG files into the folder given as its argument."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from e2e import (APP_TITLE, XServer, make_data_file, settings_bytes,  # noqa: E402
                 start_window_manager, stop_process, tool, wait_until)

EXAMPLE_SCRIPTS = [
    ("签到两处", "Ctrl+F5", "420,300,左键单击,500|640,360,左键双击,1000|", "1"),
    ("刷新页面", "Ctrl+F7", "900,120,左键单击,2000|", "10"),
]
# What the pages need to draw themselves, with their fonts and pictures.
SETTLE_SECONDS = 4


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    work = tempfile.mkdtemp(prefix="velmo-shots-")
    processes = []
    try:
        x = XServer(os.path.join(work, "xvfb.log"))
        processes.append(start_window_manager(x, os.path.join(work, "openbox.log")))
        env = dict(x.tool_env)

        def run(*args):
            return subprocess.run(args, env=env, capture_output=True, timeout=30, check=True)

        def window(title):
            def found():
                tree = run("xwininfo", "-root", "-tree").stdout.decode("utf-8", "replace")
                for line in tree.splitlines():
                    if f'"{title}":' in line:
                        return line.split()[0]
                return None
            return wait_until(found, 30, f"a window titled {title!r}", [app_alive])

        def shoot(window_id, name):
            run("import", "-frame", "-window", window_id, os.path.join(out_dir, name))
            print(os.path.join(out_dir, name))

        folder = os.path.join(work, "app")
        os.mkdir(folder)
        binary = os.path.join(folder, "velmo")
        shutil.copy2(tool("VELMO_BINARY"), binary)
        make_data_file(os.path.join(folder, "data.db"), EXAMPLE_SCRIPTS)
        with open(os.path.join(folder, "setting.ini"), "wb") as f:
            f.write(settings_bytes([("click", "0"), ("time", "0.5")]))
        app = subprocess.Popen([binary], cwd=folder, env=x.env, stdin=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
        processes.append(app)

        def app_alive():
            if app.poll() is not None:
                raise AssertionError(f"velmo ended with exit code {app.returncode}")

        main_window = window(APP_TITLE)
        time.sleep(SETTLE_SECONDS)
        run("xdotool", "windowactivate", "--sync", main_window)
        shoot(main_window, "clicker-page.png")
        run("xdotool", "key", "--clearmodifiers", "ctrl+Tab")
        time.sleep(1)
        shoot(main_window, "script-page.png")
        run("xdotool", "key", "--clearmodifiers", "ctrl+Tab")
        time.sleep(1)
        run("xdotool", "key", "--clearmodifiers", "alt+v")
        dialog = window("高级设置")
        time.sleep(1)
        shoot(dialog, "advanced-dialog.png")
    finally:
        for process in reversed(processes):
            stop_process(process)
        if 'x' in locals():
            x.stop()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: screenshots.py OUTPUT-FOLDER")
    main(sys.argv[1])
