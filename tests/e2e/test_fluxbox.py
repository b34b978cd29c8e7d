"""Started along with fluxbox on a display of its own, everything on one CPU,
the game covers the screen without a title bar, and lives: fluxbox, taking
over a window that was mapped while it started, used to frame it under a title
bar or make the game's focus request fatal."""

import os
import shutil
import subprocess
import sys
import time
import unittest

from harness import SKIP, Game, geometry, net_wm_state, x_server

SIZE = (800, 600)
QUIET = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class FluxboxTest(unittest.TestCase):
    def test_full_screen_when_started_with_the_window_manager(self):
        for start in range(3):
            manager = subprocess.Popen("fluxbox", **QUIET)
            self.addCleanup(manager.wait, 5)
            self.addCleanup(manager.terminate)
            time.sleep(0.3)  # fluxbox is still taking over the screen
            with Game() as game:
                game.wait_drawn()
                time.sleep(0.5)  # a title bar comes once fluxbox frames the window
                self.assertEqual((0, 0) + SIZE, geometry(game.window), "start %d" % start)
                self.assertIn("FULLSCREEN", net_wm_state(game.window), "start %d" % start)
                self.assertTrue(game.running())
            manager.terminate()  # before the next one starts
            manager.wait(5)


if __name__ == "__main__":
    if not (shutil.which("Xvfb") and shutil.which("fluxbox")):
        print("skipped: Xvfb or fluxbox is missing")
        sys.exit(SKIP)
    os.sched_setaffinity(0, {min(os.sched_getaffinity(0))})  # all on one CPU
    with x_server(*SIZE):
        unittest.main()
