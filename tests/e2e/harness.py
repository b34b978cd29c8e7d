"""Drives the real quorvel program through the X server, as a player would.

The game starts from the repository root (it reads data/cube.tga from there),
on the display in DISPLAY, which needs a window manager (tools/run-tests.sh runs
openbox). Keys and the mouse go through XTEST (xdotool) to the focused window;
the screen comes back as RGB pixels through ImageMagick's import.

Environment: QUORVEL_BIN, the program (default build/quorvel); QUORVEL_ROOT, the
repository root; QUORVEL_E2E_ARTIFACTS, a directory for the screen of a failed
test.
"""

import os
import re
import subprocess
import sys
import tempfile
import time

TITLE = "Quorvel v1.0.1 - By Tarnwick Productions"
SKIP = 77  # ctest's SKIP_RETURN_CODE for these tests

ROOT = os.environ.get("QUORVEL_ROOT") or os.path.dirname(
    os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BINARY = os.environ.get("QUORVEL_BIN") or os.path.join(ROOT, "build", "quorvel")


def require_display():
    """Ends the test as skipped when there is no X display to drive."""
    if not os.environ.get("DISPLAY"):
        print("skipped: DISPLAY is not set")
        sys.exit(SKIP)


def run(*args, timeout=10):
    """Runs an X tool and returns its standard output; raises on failure."""
    done = subprocess.run(args, stdin=subprocess.DEVNULL, capture_output=True,
                          text=True, timeout=timeout)
    if done.returncode != 0:
        raise RuntimeError("%s failed (%d): %s" %
                           (" ".join(args), done.returncode, done.stderr.strip()))
    return done.stdout


def wait_until(probe, timeout, interval=0.05):
    """Calls probe until it returns something true or timeout seconds pass;
    returns its last result."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)


def geometry(window="root"):
    """(x, y, width, height) of a window on the root window, in pixels."""
    out = run("xwininfo", "-root") if window == "root" else run("xwininfo", "-id", str(window))

    def field(name):
        return int(re.search(r"^\s*%s:\s*(-?\d+)" % name, out, re.M).group(1))

    return (field("Absolute upper-left X"), field("Absolute upper-left Y"),
            field("Width"), field("Height"))


# Colour classes of the scene's objects, robust to texture shading: squares
# blue, the marked square yellow, pieces red and green.
def blue(rgb):
    r, g, b = rgb
    return b > 80 and b > 2 * r and b > 2 * g


def yellow(rgb):
    r, g, b = rgb
    return r > 80 and g > 80 and r > 2 * b and g > 2 * b


def red(rgb):
    r, g, b = rgb
    return r > 80 and r > 2 * g and r > 2 * b


def green(rgb):
    r, g, b = rgb
    return g > 80 and g > 2 * r and g > 2 * b


def free_display_number(start=200):
    """An X display number that no server on this machine uses."""
    n = start
    while os.path.exists("/tmp/.X%d-lock" % n) or os.path.exists("/tmp/.X11-unix/X%d" % n):
        n += 1
    return n


class Screen:
    """A grabbed screen: width, height and packed RGB bytes, row by row from
    the top."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]

    def count(self, predicate, box=None, step=1):
        """How many pixels (sampling every step-th in both directions) inside
        box = (x, y, width, height), default the whole screen, satisfy
        predicate((r, g, b))."""
        x0, y0, w, h = box or (0, 0, self.width, self.height)
        found = 0
        for y in range(y0, y0 + h, step):
            row = 3 * y * self.width
            for x in range(x0, x0 + w, step):
                i = row + 3 * x
                if predicate((self.rgb[i], self.rgb[i + 1], self.rgb[i + 2])):
                    found += 1
        return found

    def colours(self, step=8):
        """The set of distinct colours seen when sampling every step-th pixel."""
        return {self.pixel(x, y) for y in range(0, self.height, step)
                for x in range(0, self.width, step)}

    def save(self, path):
        with open(path, "wb") as out:
            out.write(b"P6\n%d %d\n255\n" % (self.width, self.height))
            out.write(self.rgb)


def grab_screen():
    """The whole screen as it is now (what a player sees)."""
    data = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"],
                          stdin=subprocess.DEVNULL, capture_output=True, timeout=20,
                          check=True).stdout
    # Binary PPM: "P6", width, height, maxval, one whitespace byte, pixels.
    fields, pos = [], 2
    while len(fields) < 3:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(int(data[pos:end]))
        pos = end
    width, height, maxval = fields
    if data[:2] != b"P6" or maxval != 255:
        raise RuntimeError("unexpected image from import: %r" % data[:20])
    return Screen(width, height, data[pos + 1:pos + 1 + 3 * width * height])


class Game:
    """One run of the program. Use as a context manager: the program is
    stopped on leaving, and its output and the screen are kept when the block
    failed."""

    def __init__(self, env=None, unset=(), binary=BINARY):
        self.env = dict(os.environ)
        for name in unset:
            self.env.pop(name, None)
        self.env.update(env or {})
        self.binary = binary
        self.process = None
        self.window = None
        self._out = tempfile.TemporaryFile()
        self._err = tempfile.TemporaryFile()

    def start(self):
        self.process = subprocess.Popen([self.binary], cwd=ROOT, env=self.env,
                                        stdin=subprocess.DEVNULL, stdout=self._out,
                                        stderr=self._err)
        return self

    def __enter__(self):
        return self.start()

    def __exit__(self, kind, error, trace):
        if kind is not None:
            self._keep_evidence()
        self.stop()
        return False

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout):
        """The exit status, or None if the program still runs after timeout
        seconds."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        if self.process and self.running():
            self.process.terminate()
            if self.wait_exit(3) is None:
                self.process.kill()
                self.process.wait()
        self._out.close()
        self._err.close()

    def output(self, stream="stderr"):
        """What the program wrote to stderr (or stdout) so far."""
        f = self._err if stream == "stderr" else self._out
        f.seek(0)
        return f.read().decode(errors="replace")

    # The window.

    def wait_window(self, timeout=15):
        """The id of the program's visible window, waiting for it to map."""
        def probe():
            if not self.running():
                raise RuntimeError("the program ended (status %s) before showing a window:\n%s"
                                   % (self.process.returncode, self.output()))
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                                    str(self.process.pid)],
                                   stdin=subprocess.DEVNULL, capture_output=True, text=True)
            ids = found.stdout.split()
            return ids[0] if ids else None

        self.window = wait_until(probe, timeout, 0.1)
        if not self.window:
            raise RuntimeError("no window appeared within %g s" % timeout)
        return self.window

    def wait_drawn(self, timeout=15):
        """Waits until the board shows on the screen (blue squares), that is
        until the program has initialised and renders frames; returns that
        screen."""
        def probe():
            if not self.running():
                raise RuntimeError("the program ended (status %s):\n%s"
                                   % (self.process.returncode, self.output()))
            shot = grab_screen()
            return shot if shot.count(blue, step=16) > 100 else None

        shot = wait_until(probe, timeout, 0.1)
        if not shot:
            raise RuntimeError("no board on the screen within %g s" % timeout)
        return shot

    def title(self):
        return run("xdotool", "getwindowname", self.window).rstrip("\n")

    def geometry(self):
        return geometry(self.window)

    def focus(self):
        """Makes the window active through the window manager, as a click on
        it would, so that keys reach it."""
        run("xdotool", "windowactivate", "--sync", self.window)

    # Input, through XTEST to whatever has the focus and the pointer.

    def key(self, keysym, hold=0.1):
        """Presses keysym (an X key name such as Escape, n, alt+F4) for hold
        seconds: the program reads some keys once per frame, so a press must
        outlast a frame."""
        run("xdotool", "keydown", keysym)
        time.sleep(hold)
        run("xdotool", "keyup", keysym)

    def move(self, x, y):
        """Moves the pointer to screen pixel (x, y). The program sees the
        motion a little later: wait for its effect on the screen. (xdotool's
        --sync would hang when the pointer is already there.)"""
        run("xdotool", "mousemove", str(x), str(y))

    def press(self, button=1):
        run("xdotool", "mousedown", str(button))

    def release(self, button=1):
        run("xdotool", "mouseup", str(button))

    def click(self, button=1, hold=0.1):
        """Holds a mouse button (1 left, 2 middle, 3 right) for hold seconds."""
        self.press(button)
        time.sleep(hold)
        self.release(button)

    def wheel(self, notches):
        """Turns the wheel: positive away from the player (up), negative
        towards."""
        button = "4" if notches > 0 else "5"
        for _ in range(abs(notches)):
            run("xdotool", "click", button)

    def screen(self):
        return grab_screen()

    def _keep_evidence(self):
        sys.stderr.write("program stderr:\n%s\nprogram stdout:\n%s\n"
                         % (self.output(), self.output("stdout")))
        folder = os.environ.get("QUORVEL_E2E_ARTIFACTS")
        if folder and os.environ.get("DISPLAY") and self.process and self.running():
            os.makedirs(folder, exist_ok=True)
            name = os.path.join(folder, "%s-%d.ppm" % (
                os.path.splitext(os.path.basename(sys.argv[0]))[0], int(time.time())))
            try:
                grab_screen().save(name)
                sys.stderr.write("screen saved to %s\n" % name)
            except (OSError, RuntimeError, subprocess.SubprocessError) as failure:
                sys.stderr.write("could not save the screen: %s\n" % failure)
