"""Drives the real quorvel program through the X server, as a player would.

The game starts from the repository root or a directory given (it reads
data/cube.tga from its working directory), on the display in DISPLAY, which
needs a window manager (tools/run-tests.sh runs openbox). Keys and the mouse
go through XTEST (xdotool) to the focused window; the screen comes back as RGB
pixels through ImageMagick's import.

Environment: QUORVEL_BIN, the program (default build/quorvel); QUORVEL_ROOT, the
repository root; QUORVEL_E2E_ARTIFACTS, a directory for the screen of a failed
test.
"""

import itertools
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
    return tuple(int(re.search(r"^\s*%s:\s*(-?\d+)" % name, out, re.M).group(1)) for name in
                 ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


# Colour classes of the scene's objects, robust to texture shading: squares
# blue, the marked square yellow, pieces red and green.
def blue(rgb):
    return rgb[2] > 80 and rgb[2] > 2 * max(rgb[0], rgb[1])


def yellow(rgb):
    return min(rgb[0], rgb[1]) > 80 and min(rgb[0], rgb[1]) > 2 * rgb[2]


def red(rgb):
    return rgb[0] > 80 and rgb[0] > 2 * max(rgb[1], rgb[2])


def green(rgb):
    return rgb[1] > 80 and rgb[1] > 2 * max(rgb[0], rgb[2])


def white(rgb):  # the text
    return min(rgb) > 160


def square(rgb):  # blue or yellow
    return blue(rgb) or yellow(rgb)


def flat_share(shot):
    """How much of the blue is the untextured (0, 0, 255): 1 with texturing off."""
    return shot.count(lambda rgb: rgb == (0, 0, 255), step=4) / max(1, shot.count(blue, step=4))


def help_seen(shot):
    """White below the one-line hint in the help block's place."""
    return shot.count(white, (0, 45, 450, 130))


def middles(flags, least=3):
    """The middle index of each run of at least `least` true flags."""
    found, start = [], 0
    for flag, run_ in itertools.groupby(flags):
        length = len(list(run_))
        if flag and length >= least:
            found.append(start + length // 2)
        start += length
    return found


def squares(shot, box=None):
    """The centres of the board's squares seen from the start camera, as
    grid[row][column]: the runs of blue or yellow down the middle of box
    (default the screen), then along each; None unless nine by nine."""
    x0, y0, w, h = box or (0, 0, shot.width, shot.height)
    rows = [y0 + y for y in middles(square(shot.pixel(x0 + w // 2, y0 + y)) for y in range(h))]
    grid = [[(x0 + x, y) for x in middles(square(shot.pixel(x0 + x, y)) for x in range(w))]
            for y in rows]
    return grid if len(grid) == 9 and all(len(row) == 9 for row in grid) else None


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

    def mask(self, predicate, box=None, step=4):
        """predicate((r, g, b)) for every step-th pixel each way in box = (x, y,
        width, height), by default all below the frame-rate line."""
        x0, y0, w, h = box or (0, 20, self.width, self.height - 20)
        return [predicate(self.pixel(x, y)) for y in range(y0, y0 + h, step)
                for x in range(x0, x0 + w, step)]

    def count(self, predicate, box=None, step=1):
        """How many pixels of mask(predicate) hold, by default of the screen."""
        return sum(self.mask(predicate, box or (0, 0, self.width, self.height), step))

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
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
    if not header:
        raise RuntimeError("unexpected image from import: %r" % data[:20])
    width, height = int(header.group(1)), int(header.group(2))
    return Screen(width, height, data[header.end():header.end() + 3 * width * height])


def seen(holds, timeout=2):
    """The first screen within timeout seconds for which holds(it), or None."""
    def look():
        shot = grab_screen()
        return shot if holds(shot) else None
    return wait_until(look, timeout)


class Game:
    """One run of the program; as a context manager, stopped on leaving, its
    output and the screen kept when the block failed."""

    def __init__(self, env=None, unset=(), binary=BINARY, cwd=ROOT):
        self.env = dict(os.environ)
        for name in unset:
            self.env.pop(name, None)
        self.env.update(env or {})
        self.binary, self.cwd = binary, cwd
        self.process = None
        self.window = None
        self._out = tempfile.TemporaryFile()
        self._err = tempfile.TemporaryFile()

    def start(self):
        self.process = subprocess.Popen([self.binary], cwd=self.cwd, env=self.env,
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

    def _alive(self):
        if not self.running():
            raise RuntimeError("the program ended (status %s):\n%s"
                               % (self.process.returncode, self.output()))

    def wait_window(self, timeout=15):
        """The id of the program's visible window, waiting for it to map."""
        def probe():
            self._alive()
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
        """The first screen with the board (blue squares) on it: the program
        has initialised and renders frames."""
        shot = seen(lambda s: self._alive() or s.count(blue, step=16) > 100, timeout)
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

    def ready(self):
        """The first picture with the focus, the pointer resting in the middle
        of the screen, out of the margins that turn the view."""
        self.move(*(size // 2 for size in geometry("root")[2:]))
        self.wait_window()
        self.wait_drawn()
        self.focus()
        return grab_screen()

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

    def click(self, button=1, hold=0.1):
        """Holds a mouse button (1 left, 3 right) for hold seconds: the program
        reads the buttons once per frame. Buttons 4 and 5 are the wheel."""
        run("xdotool", "mousedown", str(button))
        time.sleep(hold)
        run("xdotool", "mouseup", str(button))

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
