"""Debian's Chromium, headless, driven through the DevTools protocol over
--remote-debugging-pipe as a player would drive it: the page served from a
folder by a server of its own, input as the browser's own mouse and key
events, the screen read back as screenshots (decoded with ImageMagick into the
desktop tests' Screen, so that their colour checks apply as they are)."""

import base64
import contextlib
import functools
import http.server
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import screen_from_ppm, wait_until  # noqa: E402

# SwiftShader gives WebGL 1.0 without a GPU; the rest keeps a test run off the
# network and out of the profile of whoever runs it.
FLAGS = ["--headless", "--use-angle=swiftshader", "--enable-unsafe-swiftshader", "--no-sandbox",
         "--no-first-run", "--disable-background-networking", "--disable-component-update",
         "--disable-sync", "--disable-default-apps", "--mute-audio", "--hide-scrollbars"]

# Keys as the DevTools protocol gives them: DOM key, code and Windows key code,
# which SDL reads.
KEYS = {"Escape": ("Escape", "Escape", 27), "F11": ("F11", "F11", 122)}
KEYS.update({c: (c, "Key" + c.upper(), ord(c.upper())) for c in "abcdefghijklmnopqrstuvwxyz"})


@contextlib.contextmanager
def served(folder):
    """An HTTP server for folder on a free port of localhost; yields its URL."""
    handler = functools.partial(_QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield "http://127.0.0.1:%d/" % server.server_address[1]
    finally:
        server.shutdown()
        server.server_close()


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class Browser:
    """One headless Chromium with one page, sized width x height; as a context
    manager, ended on leaving with its profile folder removed."""

    def __init__(self, width=800, height=600, flags=()):
        self.size = (width, height)
        self.flags = list(flags)
        self.console = []  # (level, text) of every console call of the page
        self._next_id = 0
        self._replies = {}
        self._events = []
        self._lock = threading.Condition()

    def __enter__(self):
        self._profile = tempfile.mkdtemp(prefix="quorvel-chromium-")
        commands, self._to_browser = os.pipe()
        self._from_browser, replies = os.pipe()
        # The browser reads commands on descriptor 3 and writes on 4.
        self.process = subprocess.Popen(
            ["sh", "-c", 'exec "$@" 3<&%d 4>&%d' % (commands, replies), "sh", "chromium"] +
            FLAGS + self.flags + ["--remote-debugging-pipe", "--user-data-dir=" + self._profile,
                                  "--window-size=%d,%d" % self.size, "about:blank"],
            pass_fds=(commands, replies), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(commands)
        os.close(replies)
        threading.Thread(target=self._read, daemon=True).start()
        page = next(t for t in self.call("Target.getTargets")["targetInfos"]
                    if t["type"] == "page")
        self._session = self.call("Target.attachToTarget", targetId=page["targetId"],
                                  flatten=True)["sessionId"]
        for domain in ("Page", "Runtime"):
            self.page(domain + ".enable")
        self.resize(*self.size)
        return self

    def __exit__(self, *error):
        try:
            self.call("Browser.close", timeout=5)
        except (RuntimeError, OSError):
            pass
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self._to_browser)
        shutil.rmtree(self._profile, ignore_errors=True)

    def _read(self):
        buffered = b""
        while chunk := os.read(self._from_browser, 1 << 20):
            buffered += chunk
            *messages, buffered = buffered.split(b"\0")
            with self._lock:
                for message in map(json.loads, messages):
                    if "id" in message:
                        self._replies[message["id"]] = message
                    else:
                        self._take_event(message)
                self._lock.notify_all()
        os.close(self._from_browser)

    def _take_event(self, message):
        if message.get("method") == "Fetch.requestPaused":  # answered off the reading thread
            threading.Thread(target=self._change_response, args=(message["params"],),
                             daemon=True).start()
        elif message.get("method") == "Runtime.consoleAPICalled":
            call = message["params"]
            self.console.append((call["type"], " ".join(
                str(a.get("value", a.get("description", ""))) for a in call["args"])))
        self._events.append(message)

    def change_responses(self, suffix, change):
        """From now on the bytes of every response whose URL ends in suffix
        reach the page as change(bytes) returns them."""
        self._change = change
        self.page("Fetch.enable", patterns=[{"urlPattern": "*" + suffix,
                                              "requestStage": "Response"}])

    def _change_response(self, paused):
        number = paused["requestId"]
        body = self.page("Fetch.getResponseBody", requestId=number)
        data = base64.b64decode(body["body"]) if body["base64Encoded"] else body["body"].encode()
        self.page("Fetch.fulfillRequest", requestId=number,
                  responseCode=paused["responseStatusCode"],
                  responseHeaders=paused.get("responseHeaders", []),
                  body=base64.b64encode(self._change(data)).decode())

    def call(self, method, timeout=30, session=None, **params):
        """Sends one command; its result, or RuntimeError with the browser's error."""
        with self._lock:
            self._next_id += 1
            number = self._next_id
        message = {"id": number, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        with self._lock:
            if not self._lock.wait_for(lambda: number in self._replies, timeout):
                raise RuntimeError("%s: no reply in %g s" % (method, timeout))
            reply = self._replies.pop(number)
        if "error" in reply:
            raise RuntimeError("%s: %s" % (method, reply["error"]))
        return reply.get("result", {})

    def page(self, method, **params):
        """A command to the page's session."""
        return self.call(method, session=self._session, **params)

    def open(self, url):
        """Navigates to url; returns once its document has loaded."""
        with self._lock:
            self._events.clear()
        self.page("Page.navigate", url=url)
        with self._lock:
            self._lock.wait_for(lambda: any(e.get("method") == "Page.loadEventFired"
                                            for e in self._events), 30)

    def resize(self, width, height):
        """Makes the page's viewport width x height: a headless window's size
        counts a toolbar the viewport does not have."""
        self.page("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=1, mobile=False)

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page."""
        result = self.page("Runtime.evaluate", expression=expression, returnByValue=True)
        return result["result"].get("value")

    def text(self):
        """The words the page shows."""
        return self.evaluate("document.body.innerText") or ""

    def screen(self):
        """The page's viewport as a Screen."""
        png = base64.b64decode(self.page("Page.captureScreenshot", format="png")["data"])
        with tempfile.TemporaryFile() as image:
            image.write(png)
            image.seek(0)
            ppm = subprocess.run(["convert", "png:-", "-depth", "8", "ppm:-"], stdin=image,
                                 capture_output=True, timeout=20, check=True).stdout
        return screen_from_ppm(ppm)

    def seen(self, holds, timeout=5):
        """The first screen within timeout seconds for which holds(it), or None."""
        return wait_until(lambda: holds(shot := self.screen()) and shot, timeout)

    # Input as the browser's own events. The game reads the held keys and
    # buttons once a frame, so a press is held for a few of SwiftShader's frames.
    def move(self, x, y):
        self.page("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
        self.pointer = (x, y)

    def click(self, hold=0.2):
        x, y = self.pointer
        for kind in ("mousePressed", "mouseReleased"):
            self.page("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                      clickCount=1)
            time.sleep(hold if kind == "mousePressed" else 0)

    def wheel(self, notches):
        """Turns the wheel: positive towards the player (down), as a browser's deltaY."""
        x, y = self.pointer
        for _ in range(abs(notches)):
            self.page("Input.dispatchMouseEvent", type="mouseWheel", x=x, y=y, deltaX=0,
                      deltaY=100 if notches > 0 else -100)
            time.sleep(0.1)

    def key(self, name, hold=0.2):
        key, code, number = KEYS[name]
        for kind in ("keyDown", "keyUp"):
            self.page("Input.dispatchKeyEvent", type=kind, key=key, code=code,
                      windowsVirtualKeyCode=number, nativeVirtualKeyCode=number)
            time.sleep(hold if kind == "keyDown" else 0)


def chromium_missing():
    """Why these tests cannot run here, or None."""
    for tool in ("chromium", "convert"):
        if not shutil.which(tool):
            return tool + " is missing"
    return None
