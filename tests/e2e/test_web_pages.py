"""The real program's pages and the web engine's sandbox. The program's
addresses reach a loopback server of the test through http_proxy, so the
pages are the test's. The web-content process is found in /proc, with its
parent, its mount namespace and what it sees of the user's home."""

import http.server
import os
import threading
import unittest
from urllib.parse import parse_qs, urlsplit

from e2e import AppTestCase, wait_until

UPDATE_CAPTION = "Velmo鼠标自动点击器升级提示"
STRIP = (4, 384, 540, 50)  # the update strip: x, y, width, height in the main window
# Every value the update check reads, with a version other than the
# program's; and a file of the home read two ways, the results sent back.
PAGE = """<!DOCTYPE html><html><head><script>
var app_version = '0.0', app_hp = '', app_url = '', is_icon = '0', is_pop = '0', app_pop = '';
function report(way, text) {{
  new Image().src = '/report?' + way + '=' + encodeURIComponent(text);
}}
fetch('file://{secret}').then(r => r.text()).then(t => report('fetch', t),
                                                   e => report('fetch', 'refused'));
var request = new XMLHttpRequest();
request.onload = function () {{ report('request', request.responseText); }};
request.onerror = function () {{ report('request', 'refused'); }};
request.open('GET', 'file://{secret}');
request.send();
</script></head><body>update</body></html>"""
# Dark, and once drawn, off to an address that cannot be loaded.
DARK_PAGE = ("<body style='background:#000' onload=\"requestAnimationFrame(() => "
             "requestAnimationFrame(() => location.href = '/gone'))\"></body>")


class Proxy(http.server.ThreadingHTTPServer):
    """Answers every address with `page` and keeps the reports the page sends
    back; holds the requests for /gone until `drop` is set, then closes them
    unanswered."""

    def __init__(self, page):
        self.page, self.reports, self.drop = page.encode(), {}, threading.Event()
        super().__init__(("127.0.0.1", 0), ProxyHandler)
        threading.Thread(target=self.serve_forever, daemon=True).start()


class ProxyHandler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        address = urlsplit(self.path)
        if address.path == "/gone":
            self.server.drop.wait(60)
            self.close_connection = True
            return
        if address.path == "/report":
            self.server.reports.update(parse_qs(address.query, keep_blank_values=True))
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(self.server.page)))
        self.end_headers()
        self.wfile.write(self.server.page)

    def log_message(self, *args):
        pass


def name_and_parent(pid):
    with open(f"/proc/{pid}/stat") as f:
        name, fields = f.read()[:-1].split("(", 1)[1].rsplit(")", 1)
    return name, int(fields.split()[1])


def web_process_of(pid):
    """The web-content process below `pid`, or None."""
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            name, ancestor = name_and_parent(entry)
            while name.startswith("WebKitWebProc") and ancestor not in (0, 1, pid):
                ancestor = name_and_parent(ancestor)[1]
            if name.startswith("WebKitWebProc") and ancestor == pid:
                return int(entry)
        except OSError:
            continue  # ended meanwhile
    return None


class WebPagesTest(AppTestCase):
    def start_with_proxy(self, page, command=()):
        home = os.path.join(self.tmp, "home")
        self.secret = os.path.join(home, "secret.txt")
        os.mkdir(home)
        with open(self.secret, "w") as f:
            f.write("the user's own words")
        proxy = Proxy(page.format(secret=self.secret))
        self.addCleanup(proxy.server_close)
        self.addCleanup(proxy.shutdown)
        env = {"HOME": home, "http_proxy": f"http://127.0.0.1:{proxy.server_port}", "no_proxy": ""}
        app = self.start_app(env=env, command=command)
        self.main = self.geometry(self.wait_for_main_window())
        web = wait_until(lambda: web_process_of(app.pid), 30, "a web-content process",
                         [self.app_guard])
        return app, proxy, web

    def test_pages_run_sandboxed_still_load_and_reach_no_file_of_the_home(self):
        app, proxy, web = self.start_with_proxy(PAGE)
        self.assertEqual(name_and_parent(name_and_parent(web)[1])[0], "bwrap")
        self.assertNotEqual(os.readlink(f"/proc/{web}/ns/mnt"),
                            os.readlink(f"/proc/{app.pid}/ns/mnt"))
        self.assertTrue(os.path.exists(f"/proc/{app.pid}/root{self.secret}"))
        self.assertFalse(os.path.exists(f"/proc/{web}/root{self.secret}"))
        # The update check read the page's other version and asks.
        self.wait_for_window(UPDATE_CAPTION, 30, [self.app_guard])
        reports = wait_until(lambda: len(proxy.reports) == 2 and proxy.reports, 30,
                             lambda: f"both reports of the page (got {proxy.reports})")
        self.assertFalse({way: text for way, text in reports.items()
                          if text not in (["refused"], [""])}, "what the page read")

    def test_a_page_that_cannot_be_loaded_gives_way_to_the_quiet_page(self):
        app, proxy, web = self.start_with_proxy(DARK_PAGE)
        self.assertEqual(name_and_parent(name_and_parent(web)[1])[0], "bwrap")
        x, y, width, height = STRIP
        strip = (self.main[0] + x, self.main[1] + y, width, height)
        wait_until(lambda: self.screen_area(*strip).count(0) * 2 > width * height * 3, 30,
                   "the update strip to show the dark page", [self.app_guard])
        proxy.drop.set()
        wait_until(lambda: set(self.screen_area(*strip)) == {0xff}, 30,
                   "the update strip to show the quiet page", [self.app_guard])

    @unittest.skipUnless(os.geteuid() == 0, "hiding bubblewrap needs a mount namespace of root")
    def test_without_bubblewrap_pages_run_unconfined_and_it_says_so_once(self):
        hide = ["unshare", "--mount", "--propagation", "private", "sh", "-c",
                'mount --bind /dev/null /usr/bin/bwrap && exec "$0"']
        app, proxy, web = self.start_with_proxy(PAGE, command=hide)
        self.assertEqual(name_and_parent(web)[1], app.pid)
        self.wait_for_window(UPDATE_CAPTION, 30, [self.app_guard])
        self.assertEqual(self.output_of(app).count("pages run unconfined"), 1, self.output_of(app))


if __name__ == "__main__":
    unittest.main()
