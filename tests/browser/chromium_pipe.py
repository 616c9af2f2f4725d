"""Headless Chromium driven over the DevTools protocol on a pipe, and a local web server.

Every host name reaches the local server (as a proxy for http, resolved to 127.0.0.1 for the
rest), so a page never reaches another machine. Chromium keeps its profile in a scratch folder
and ends, with every process it started, when the session is closed.
"""

import http.server
import json
import os
import queue
import signal
import struct
import subprocess
import threading
import time
import urllib.parse
import zlib

WAIT_SECONDS = 20  # a watchdog only: every wait ends on the event it waits for


def _png_pixel():
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))
    header = struct.pack(">IIBBBBB", 1, 1, 8, 6, 0, 0, 0)  # 1 x 1, 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(b"\x00\x00\x80\xff\xff")) + chunk(b"IEND", b""))


# Served for every image the pages ask for.
PIXEL = _png_pixel()


class PageServer:
    """Serves pages by path for any host; other paths get a small landing page. Records
    every request (method, host, path, body). `headers` adds response headers by path."""

    def __init__(self):
        self.pages = {}
        self.headers = {}
        self.requests = []
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def log_message(self, *args):
                pass

            def _answer(self, method):
                url = urllib.parse.urlsplit(self.path)
                host = url.netloc or self.headers.get("Host", "")
                path = url.path + ("?" + url.query if url.query else "")
                length = int(self.headers.get("Content-Length") or 0)
                body = self.rfile.read(length) if length else b""
                server.requests.append((method, host, path, body))
                page = server.pages.get(url.path)
                content_type = "text/html; charset=utf-8"
                if page is None and url.path.endswith((".jpg", ".png", ".gif")):
                    page, content_type = PIXEL, "image/png"
                elif page is None:
                    page = b"<!DOCTYPE html><title>landing</title><p>landed"
                elif url.path.endswith(".js"):
                    content_type = "text/javascript"
                self.send_response(200)
                self.send_header("Content-Type", content_type)
                self.send_header("Content-Length", str(len(page)))
                self.send_header("Cache-Control", "no-store")
                for name, value in server.headers.get(url.path, {}).items():
                    self.send_header(name, value)
                self.end_headers()
                try:
                    self.wfile.write(page)
                except (BrokenPipeError, ConnectionResetError):
                    pass  # the browser no longer wanted it, as when a page moves on

            def do_GET(self):
                self._answer("GET")

            def do_POST(self):
                self._answer("POST")

        self._httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.port = self._httpd.server_address[1]
        self._thread = threading.Thread(target=self._httpd.serve_forever, daemon=True)
        self._thread.start()

    def url(self, path):
        return "http://127.0.0.1:%d%s" % (self.port, path)

    def close(self):
        self._httpd.shutdown()
        self._httpd.server_close()


class BrowserError(Exception):
    pass


class Chromium:
    """One headless Chromium; call() sends a command and returns its result, events are
    collected per session and waited for with wait_event()."""

    def __init__(self, scratch, proxy_port):
        to_chrome_r, self._to_chrome = os.pipe()
        self._from_chrome, from_chrome_w = os.pipe()

        def child_pipes():
            a, b = os.dup(to_chrome_r), os.dup(from_chrome_w)
            os.dup2(a, 3)
            os.dup2(b, 4)

        args = [
            os.environ.get("SITEWRIGHT_CHROMIUM", "chromium"),
            "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            "--disable-extensions", "--mute-audio", "--remote-debugging-pipe",
            "--user-data-dir=" + os.path.join(scratch, "profile"),
            "--proxy-server=http://127.0.0.1:%d" % proxy_port,
            "--proxy-bypass-list=<-loopback>",
            "--host-resolver-rules=MAP * 127.0.0.1",
            # Frames of other sites stay in the page's process, so their script errors and
            # contexts are seen by the page's session.
            "--disable-site-isolation-trials",
            "--disable-features=IsolateOrigins,site-per-process,HttpsUpgrades",
            "about:blank",
        ]
        self._log = open(os.path.join(scratch, "chromium.log"), "wb")
        self._process = subprocess.Popen(
            args, preexec_fn=child_pipes, pass_fds=(3, 4), stdin=subprocess.DEVNULL, stdout=self._log,
            stderr=self._log, start_new_session=True)
        os.close(to_chrome_r)
        os.close(from_chrome_w)
        self._next_id = 0
        self._responses = {}
        self._events = queue.Queue()
        self.events = []  # every event so far: (session, method, params)
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()

    def _read(self):
        pending = b""
        while True:
            chunk = os.read(self._from_chrome, 1 << 16)
            if not chunk:
                self._events.put(None)
                return
            pending += chunk
            while b"\0" in pending:
                raw, pending = pending.split(b"\0", 1)
                self._events.put(json.loads(raw))

    def _take(self, deadline):
        left = deadline - time.monotonic()
        if left <= 0:
            raise BrowserError("timed out")
        try:
            message = self._events.get(timeout=left)
        except queue.Empty:
            raise BrowserError("timed out") from None
        if message is None:
            raise BrowserError("chromium went away")
        if "id" in message:
            self._responses[message["id"]] = message
        else:
            self.events.append((message.get("sessionId"), message["method"],
                                message.get("params", {})))

    def call(self, method, params=None, session=None):
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self._to_chrome, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + WAIT_SECONDS
        while self._next_id not in self._responses:
            self._take(deadline)
        response = self._responses.pop(self._next_id)
        if "error" in response:
            raise BrowserError("%s: %s" % (method, response["error"]))
        return response["result"]

    def wait_event(self, matches, since=0):
        """The first event from index `since` on for which matches(session, method, params)
        holds; returns its index."""
        deadline = time.monotonic() + WAIT_SECONDS
        index = since
        while True:
            while index < len(self.events):
                if matches(*self.events[index]):
                    return index
                index += 1
            self._take(deadline)

    def close(self):
        try:
            self.call("Browser.close")
        except BrowserError:
            pass
        try:
            self._process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            pass
        try:
            os.killpg(self._process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self._process.wait()
        os.close(self._to_chrome)
        self._log.close()


# Runs in every document before its own scripts: records window.open calls and, when asked
# to, keeps timers to be fired by the test instead of by the clock.
INSTRUMENT = r"""
(() => {
  window.__violations = [];
  document.addEventListener("securitypolicyviolation", (e) => {
    window.__violations.push(e.effectiveDirective + " refused " + (e.blockedURI || "inline"));
  });
  window.__opens = [];
  const open = window.open;
  window.open = function (...args) {
    const opened = open.apply(this, args);
    window.__opens.push({args: args.map(String), opened: !!opened});
    return opened;
  };
  if (!window.__fakeTimers) return;
  window.__timers = [];
  window.__clockTimeout = window.setTimeout;
  window.setTimeout = function (callback, delay) {
    window.__timers.push({callback: callback, delay: Number(delay)});
    return window.__timers.length;
  };
  window.__fire = function (i) {
    const c = window.__timers[i].callback;
    if (typeof c === "function") c(); else (0, eval)(String(c));
  };
})();
"""


class Tab:
    """A page of its own; script errors of the page and its frames land in `errors`."""

    def __init__(self, browser, fake_timers=False, pretend_ie=False, language=None):
        self.b = browser
        target = browser.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = browser.call("Target.attachToTarget",
                                    {"targetId": target, "flatten": True})["sessionId"]
        self.target = target
        for method in ("Page.enable", "Runtime.enable"):
            browser.call(method, session=self.session)
        # Keys go to the focused page; a background tab would get none.
        browser.call("Emulation.setFocusEmulationEnabled", {"enabled": True},
                     session=self.session)
        prelude = "window.__fakeTimers = %s;" % ("true" if fake_timers else "false")
        if pretend_ie:
            # What Internet Explorer 11 shows a script: the name "Netscape" and documentMode.
            prelude += ("Object.defineProperty(Document.prototype, 'documentMode',"
                        "{get() { return 11; }});")
        browser.call("Page.addScriptToEvaluateOnNewDocument",
                     {"source": prelude + INSTRUMENT}, session=self.session)
        if language:
            agent = browser.call("Browser.getVersion")["userAgent"]
            browser.call("Emulation.setUserAgentOverride",
                         {"userAgent": agent, "acceptLanguage": language}, session=self.session)
        self.mark = len(browser.events)

    def _mine(self, method):
        return lambda s, m, p: s == self.session and m == method

    def errors(self):
        return [p["exceptionDetails"] for s, m, p in self.b.events[self.mark:]
                if s == self.session and m == "Runtime.exceptionThrown"]

    def navigate(self, url):
        since = len(self.b.events)
        self.b.call("Page.navigate", {"url": url}, session=self.session)
        self.b.wait_event(self._mine("Page.loadEventFired"), since)

    def wait_for_location(self, url):
        """Waits until the main frame has loaded `url` (for navigations the page starts)."""
        index = 0
        while True:
            index = self.b.wait_event(self._mine("Page.frameNavigated"), index) + 1
            frame = self.b.events[index - 1][2]["frame"]
            if "parentId" not in frame and frame["url"] + frame.get("urlFragment", "") == url:
                self.b.wait_event(self._mine("Page.loadEventFired"), index)
                return

    def eval(self, expression, context=None):
        params = {"expression": expression, "returnByValue": True, "awaitPromise": True}
        if context is not None:
            params["contextId"] = context
        result = self.b.call("Runtime.evaluate", params, session=self.session)
        if "exceptionDetails" in result:
            raise BrowserError("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def context_of(self, origin):
        """The newest script context of a frame of this origin."""
        for s, m, p in reversed(self.b.events):
            if (s == self.session and m == "Runtime.executionContextCreated"
                    and p["context"]["origin"] == origin
                    and p["context"].get("auxData", {}).get("isDefault")):
                return p["context"]["id"]
        raise BrowserError("no context of " + origin)

    def click(self, selector, context=None, frame_selector=None):
        """A real mouse click (a user gesture) in the middle of the element."""
        # Near the start of the first line box: a long link runs past the right edge.
        box = self.eval("(() => { const r = document.querySelector(%s).getClientRects()[0];"
                        " return [r.x + Math.min(r.width / 2, 4), r.y + r.height / 2]; })()"
                        % json.dumps(selector), context)
        if frame_selector:
            offset = self.eval("(() => { const r = document.querySelector(%s)"
                               ".getBoundingClientRect(); return [r.x, r.y]; })()"
                               % json.dumps(frame_selector))
            box = [box[0] + offset[0], box[1] + offset[1]]
        for kind in ("mousePressed", "mouseReleased"):
            self.b.call("Input.dispatchMouseEvent",
                        {"type": kind, "x": box[0], "y": box[1], "button": "left",
                         "clickCount": 1}, session=self.session)

    def press_escape(self):
        self.press("Escape", 27)

    def press(self, key, code, text=None):
        """A key as the keyboard sends it: Tab, Enter, Escape."""
        down = {"type": "keyDown" if text else "rawKeyDown", "key": key, "code": key,
                "windowsVirtualKeyCode": code}
        if text:
            down["text"] = text
        for event in (down, {"type": "keyUp", "key": key, "code": key,
                             "windowsVirtualKeyCode": code}):
            self.b.call("Input.dispatchKeyEvent", event, session=self.session)

    def type_text(self, text):
        self.b.call("Input.insertText", {"text": text}, session=self.session)

    def close(self):
        self.b.call("Target.closeTarget", {"targetId": self.target})
