"""The program on Wayland itself, under weston. In a compositor with a seat it
asks for full screen, names its window after the desktop entry (the app id),
draws the board and ends on Esc. A compositor without a seat (no keyboard, no
mouse) would crash SDL's Wayland driver: the program says why and ends with
status 1, or plays on X11 where that comes next in SDL_VIDEODRIVER."""

import contextlib
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

from harness import ROOT, SKIP, Game, blue, geometry, main, run, seen, wait_until

APP_ID = os.path.basename(glob.glob(os.path.join(ROOT, "dist", "*.desktop"))[0])[:-len(".desktop")]


@contextlib.contextmanager
def weston(backend, *options):
    """A weston of the block's own, on a socket in a runtime folder of its own;
    yields the environment that reaches it."""
    with tempfile.TemporaryDirectory() as runtime:
        env = {"XDG_RUNTIME_DIR": runtime, "WAYLAND_DISPLAY": "quorvel-test"}
        server = subprocess.Popen(
            ["weston", "--no-config", "--backend=%s-backend.so" % backend,
             "--socket=quorvel-test"] + list(options), env=dict(os.environ, **env),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            socket = os.path.join(runtime, "quorvel-test")
            if not wait_until(lambda: server.poll() is not None or os.path.exists(socket), 15):
                raise RuntimeError("weston did not start")
            if server.poll() is not None:
                raise RuntimeError("weston ended with status %d" % server.returncode)
            yield env
        finally:
            server.terminate()
            server.wait()


class WaylandTest(unittest.TestCase):
    def test_with_a_seat_it_plays_full_screen_under_the_entrys_app_id(self):
        # weston in a window on the test's X display, with the X keyboard and
        # pointer as its seat; the program is one of its clients, not of X.
        screen = geometry("root")
        with weston("x11", "--width=%d" % screen[2], "--height=%d" % screen[3]) as env, \
                Game(env=dict(env, SDL_VIDEODRIVER="wayland", WAYLAND_DEBUG="client"),
                     unset=("DISPLAY",)) as game:
            shot = seen(lambda s: game._alive() or s.count(blue, step=16) > 100, 30)
            self.assertTrue(shot, "no board")
            # What the program asked of weston (WAYLAND_DEBUG's " -> " lines) and
            # was told: full screen is asked for and granted at the output's size.
            # libwayland 1.21 (Debian 12) names an object interface@id, 1.23
            # (Debian 13) interface#id.
            said = game.output()
            app_ids = re.findall(r'-> xdg_toplevel[@#]\d+\.set_app_id\("(.*)"\)', said)
            self.assertEqual({APP_ID}, set(app_ids))
            width, height = re.findall(r"wl_output[@#]\d+\.mode\(\d+, (\d+), (\d+),", said)[-1]
            granted = r"(?s)-> (xdg_toplevel[@#]\d+)\.set_fullscreen\(.*\1\.configure\(%s, %s,"
            self.assertTrue(re.search(granted % (width, height), said), "full screen not granted")
            windows = run("xdotool", "search", "--class", "^Weston Compositor$").split()
            run("xdotool", "windowactivate", "--sync", windows[0])
            game.key("Escape", hold=0.5)
            self.assertEqual(0, game.wait_exit(10), "status after Esc")

    def test_without_a_seat_it_says_why_or_plays_on_x11(self):
        with weston("headless") as env:
            with Game(env=dict(env, SDL_VIDEODRIVER="wayland"), unset=("DISPLAY",)) as game:
                self.assertEqual(1, game.wait_exit(10), "status without a seat")
                self.assertRegex(game.output(), "Failed to create the window: .*no seat")
            with Game(env=dict(env, SDL_VIDEODRIVER="wayland,x11")) as game:
                game.ready()
                game.key("Escape")
                self.assertEqual(0, game.wait_exit(5), "status after Esc, on X11")


if __name__ == "__main__":
    if not shutil.which("weston"):
        print("skipped: weston is missing")
        sys.exit(SKIP)
    main()
