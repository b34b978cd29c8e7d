"""Drives the real quorvel program on DISPLAY (with a window manager) as a
player would: input through XTEST (xdotool), the screen read back through
ImageMagick's import. It runs from QUORVEL_ROOT or a given directory (it reads
data/cube.tga from there); QUORVEL_BIN is the program (a Game may be given a
whole command instead, such as wine and a Windows program), QUORVEL_E2E_ARTIFACTS
where the screen of a failed test is kept."""

import collections
import contextlib
import itertools
import os
import re
import select
import signal
import subprocess
import sys
import tempfile
import time
import unittest

TITLE = "Quorvel v1.0.1 - By Tarnwick Productions"
SKIP = 77  # ctest's SKIP_RETURN_CODE for these tests

ROOT = os.environ.get("QUORVEL_ROOT") or os.path.dirname(
    os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BINARY = os.environ.get("QUORVEL_BIN") or os.path.join(ROOT, "build", "quorvel")


def main():
    """Runs the test file's tests, or ends it as skipped without an X display."""
    if not os.environ.get("DISPLAY"):
        print("skipped: DISPLAY is not set")
        sys.exit(SKIP)
    unittest.main()


def run(*args, timeout=10, check=True, text=True):
    """Runs an X tool and returns its standard output; raises on failure."""
    done = subprocess.run(args, stdin=subprocess.DEVNULL, capture_output=True, text=text,
                          timeout=timeout)
    if check and done.returncode != 0:
        raise RuntimeError("%s failed (%d): %s" %
                           (" ".join(args), done.returncode, done.stderr.strip()))
    return done.stdout


def wait_until(probe, timeout, interval=0.05):
    """Calls probe until it returns something true or timeout seconds pass;
    returns its last result."""
    deadline = time.monotonic() + timeout
    while not (value := probe()) and time.monotonic() < deadline:
        time.sleep(interval)
    return value


def geometry(window="root"):
    """(x, y, width, height) of a window on the root window, in pixels."""
    out = run("xwininfo", *(["-root"] if window == "root" else ["-id", str(window)]))
    return tuple(int(re.search(r"^\s*%s:\s*(-?\d+)" % name, out, re.M).group(1)) for name in
                 ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


def tree(folder):
    """Every file under folder, as a sorted list of paths relative to it."""
    return sorted(os.path.relpath(os.path.join(at, name), folder)
                  for at, _, names in os.walk(folder) for name in names)


def error_boxes():
    """The windows titled "Error" on the display (xdotool cannot match a UTF-8 name)."""
    return re.findall(r'^\s*(0x[0-9a-f]+) "Error":', run("xwininfo", "-root", "-tree"), re.M)


def net_wm_state(window):
    """The states the window manager keeps on the window (_NET_WM_STATE), as
    ["FULLSCREEN", ...]."""
    out = run("xprop", "-id", str(window), "_NET_WM_STATE")
    return re.findall(r"_NET_WM_STATE_(\w+)", out.partition("=")[2])


def free_display_number():
    """An X display number that no server on this machine uses: after DISPLAY's,
    so that a test run's servers keep to the numbers it was given, else from 200."""
    current = re.match(r":(\d+)", os.environ.get("DISPLAY", ""))
    first = int(current.group(1)) + 1 if current else 200
    return next(n for n in itertools.count(first) if not any(
        os.path.exists(path % n) for path in ("/tmp/.X%d-lock", "/tmp/.X11-unix/X%d")))


@contextlib.contextmanager
def x_server(width, height):
    """A fresh Xvfb, without a window manager, as DISPLAY for the block; it
    names its display once it accepts clients (-displayfd)."""
    number = free_display_number()
    ready, tell = os.pipe()
    server = subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0", "%dx%dx24" % (width, height),
                               "-nolisten", "tcp", "-displayfd", str(tell)], pass_fds=(tell,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(tell)
    try:
        if not select.select([ready], [], [], 10)[0] or not os.read(ready, 16).strip():
            raise RuntimeError("Xvfb :%d did not start" % number)
        os.environ["DISPLAY"] = ":%d" % number
        yield
    finally:
        os.close(ready)
        server.terminate()
        server.wait()


# Colour classes of the scene's objects, robust to texture shading: squares
# blue, the marked square yellow, pieces red and green, the text white.
def _over_others(c):
    a, b = (i for i in range(3) if i != c)
    return lambda rgb: rgb[c] > 80 and rgb[c] > 2 * max(rgb[a], rgb[b])


red, green, blue = (_over_others(channel) for channel in range(3))
yellow = lambda rgb: min(rgb[0], rgb[1]) > 80 and min(rgb[0], rgb[1]) > 2 * rgb[2]
white = lambda rgb: min(rgb) > 160
square = lambda rgb: blue(rgb) or yellow(rgb)


def flat_share(shot):
    """How much of the blue is the untextured (0, 0, 255): 1 with texturing off."""
    return shot.count(lambda rgb: rgb == (0, 0, 255), step=4) / max(1, shot.count(blue, step=4))


def help_seen(shot):
    """White below the one-line hint in the help block's place."""
    return shot.count(white, (0, 45, 450, 130))


def squares(shot, box=None):
    """The centres of the board's squares seen from the start camera, as
    grid[row][column]: the middles of the runs of blue or yellow down the
    middle of box (default the screen), then along each; None unless 9 x 9."""
    def middles(flags):
        runs = [(flag, len(list(run_))) for flag, run_ in itertools.groupby(flags)]
        ends = list(itertools.accumulate(length for _, length in runs))
        return [end - length + length // 2 for (flag, length), end in zip(runs, ends)
                if flag and length >= 3]

    x0, y0, w, h = box or (0, 0, shot.width, shot.height)
    rows = [y0 + y for y in middles(square(shot.pixel(x0 + w // 2, y0 + y)) for y in range(h))]
    grid = [[(x0 + x, y) for x in middles(square(shot.pixel(x0 + x, y)) for x in range(w))]
            for y in rows]
    return grid if len(grid) == 9 and all(len(row) == 9 for row in grid) else None


class Screen(collections.namedtuple("Screen", "width height rgb")):
    """A grabbed screen: width, height and packed RGB bytes, rows from the top."""

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def mask(self, predicate, box=None, step=4):
        """predicate((r, g, b)) for every step-th pixel each way in box = (x, y,
        width, height), by default all below the frame-rate line."""
        x0, y0, w, h = box or (0, 20, self.width, self.height - 20)
        return [predicate(self.pixel(x, y)) for y in range(y0, y0 + h, step)
                for x in range(x0, x0 + w, step)]

    def count(self, predicate, box=None, step=1):
        """How many pixels of mask(predicate) hold, by default of the screen."""
        return sum(self.mask(predicate, box or (0, 0, self.width, self.height), step))


def screen_from_ppm(data):
    """A Screen from an 8-bit binary PPM, as ImageMagick writes one."""
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)  # then the pixels
    if not header:
        raise RuntimeError("unexpected image from ImageMagick: %r" % data[:20])
    width, height = int(header.group(1)), int(header.group(2))
    return Screen(width, height, data[header.end():header.end() + 3 * width * height])


def grab_screen():
    """The whole screen as it is now (what a player sees)."""
    return screen_from_ppm(run("import", "-silent", "-window", "root", "-depth", "8", "ppm:-",
                               timeout=20, text=False))


def seen(holds, timeout=2):
    """The first screen within timeout seconds for which holds(it), or None."""
    return wait_until(lambda: holds(shot := grab_screen()) and shot, timeout)


class Game:
    """One run of the program; as a context manager, stopped on leaving, its
    output and the screen kept when the block failed."""

    def __init__(self, env=None, unset=(), binary=BINARY, cwd=ROOT, redirect=""):
        """redirect: shell redirections the program starts with, e.g. "2>&-"."""
        self.env = dict({k: v for k, v in os.environ.items() if k not in unset}, **(env or {}))
        # The program's path, or the command that runs it: [wine, exe].
        command = [binary] if isinstance(binary, str) else list(binary)
        self.command = ["sh", "-c", 'exec "$0" "$@" ' + redirect] + command if redirect else command
        self.cwd, self.process, self.window = cwd, None, None
        self._files = {"stdout": tempfile.TemporaryFile(), "stderr": tempfile.TemporaryFile()}

    def __enter__(self):
        self.process = subprocess.Popen(self.command, cwd=self.cwd, env=self.env,
                                        stdin=subprocess.DEVNULL, **self._files)
        return self

    def __exit__(self, kind, error, trace):
        if kind is not None:  # the evidence: what it said, what the screen showed
            sys.stderr.write("program stderr:\n%s\nprogram stdout:\n%s\n"
                             % (self.output(), self.output("stdout")))
            folder = os.environ.get("QUORVEL_E2E_ARTIFACTS")
            if folder and os.environ.get("DISPLAY") and self.running():
                os.makedirs(folder, exist_ok=True)
                name = "%s/%s-%d.png" % (folder, os.path.basename(sys.argv[0])[:-3], time.time())
                run("import", "-silent", "-window", "root", name, timeout=20, check=False)
                sys.stderr.write("screen %s %s\n" % (
                    "saved to" if os.path.exists(name) else "not saved to", name))
        if self.running():
            self.process.terminate()
            if self.wait_exit(3) is None:
                self.process.kill()
                self.process.wait()
        for f in self._files.values():
            f.close()

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout):
        """The exit status, or None if the program still runs after timeout s."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def output(self, stream="stderr"):
        """What the program wrote to stderr (or stdout) so far."""
        self._files[stream].seek(0)
        return self._files[stream].read().decode(errors="replace")

    def _alive(self):
        if not self.running():
            raise RuntimeError("the program ended (status %s):\n%s"
                               % (self.process.returncode, self.output()))

    def wait_drawn(self, timeout=15):
        """The first screen with the board (blue squares) on it, once the
        program's window (self.window) is mapped."""
        search = ("xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid))
        self.window = (wait_until(lambda: self._alive() or run(*search, check=False).split(),
                                  timeout, 0.1) or [None])[0]
        shot = self.window and seen(lambda s: self._alive() or s.count(blue, step=16) > 100,
                                    timeout)
        if not shot:
            raise RuntimeError("no %s in %g s" % ("board" if self.window else "window", timeout))
        return shot

    def focus(self):
        """Activates the window through the window manager, so keys reach it."""
        run("xdotool", "windowactivate", "--sync", self.window)

    def ready(self):
        """The first picture with the focus, the pointer resting in the middle
        of the screen, out of the margins that turn the view."""
        self.move(*(size // 2 for size in geometry("root")[2:]))
        self.wait_drawn()
        self.focus()
        return grab_screen()

    # Input through XTEST. The program reads Esc and the buttons once per frame,
    # so a press is held longer than a frame of the software renderer on a
    # loaded machine (12 a second seen). It sees a move a little later: wait for
    # the effect (xdotool's --sync hangs on a move to where the pointer is).
    # Keys are X names (Escape, n, alt+F4); buttons 1 left, 3 right, 4 and 5 the wheel.
    def key(self, keysym, hold=0.2, kind="key"):
        run("xdotool", kind + "down", keysym)
        time.sleep(hold)
        run("xdotool", kind + "up", keysym)

    def click(self, button=1, hold=0.2):
        self.key(str(button), hold, "mouse")

    def tap(self, keysym="1", kind="click"):
        """A press shorter than a frame, sent while the program is stopped: a key
        (kind "key") by its X name, or a mouse button by its number."""
        self.process.send_signal(signal.SIGSTOP)
        try:
            run("xdotool", kind, keysym)
        finally:
            self.process.send_signal(signal.SIGCONT)

    def move(self, x, y):
        run("xdotool", "mousemove", str(x), str(y))
