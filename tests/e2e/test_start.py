"""The program's start where it cannot go on as usual. Without a display to
open a window on, it says why on stderr and reports the failure in its exit
status instead of running blind; with a display but a GL driver that fails,
it shows the error box as well, rather than dying in Xlib's handler with a
protocol dump. Started with standard streams closed, as some launchers do,
and with something to say (no font, no texture), it still plays and quits on
Esc: what it prints must never reach the display connection that would
otherwise take the closed descriptor."""

import os
import re
import shutil
import tempfile
import unittest

from harness import BINARY, Game, error_boxes, free_display_number, run, wait_until

MESSAGE = "Failed to create the window"
SAID_WHY = re.compile("%s: .+" % MESSAGE)  # the platform's reason after the message
needs_display = unittest.skipUnless(os.environ.get("DISPLAY"), "DISPLAY is not set")


class StartTest(unittest.TestCase):
    def test_without_a_display_it_fails_with_a_message(self):
        for name, env in [("DISPLAY unset", {}),
                          ("DISPLAY names no server", {"DISPLAY": ":%d" % free_display_number()})]:
            with self.subTest(name), Game(env=env, unset=("DISPLAY", "WAYLAND_DISPLAY")) as game:
                status = game.wait_exit(10)
                self.assertIsNotNone(status, "still running after 10 s")
                self.assertNotEqual(0, status, "exit status")
                self.assertRegex(game.output(), SAID_WHY)

    @needs_display
    def test_a_gl_driver_that_fails_shows_the_box_and_status_1(self):
        # Indirect GLX, where Mesa falls back when its driver cannot load: X
        # servers refuse it unless started with +iglx, with an X error (BadValue)
        # while the context is made.
        with Game(env={"LIBGL_ALWAYS_INDIRECT": "1"}) as game:
            self.addCleanup(lambda: [run("xdotool", "windowkill", box, check=False)
                                     for box in error_boxes()])
            boxes = wait_until(error_boxes, 15, 0.2)
            self.assertTrue(boxes, "no error box; status %s" % game.process.poll())
            run("xdotool", "windowactivate", "--sync", boxes[0])
            run("xdotool", "key", "Return")
            self.assertEqual(1, game.wait_exit(5), "status 5 s after OK")
            self.assertRegex(game.output(), SAID_WHY)

    @needs_display
    def test_with_standard_streams_closed_esc_quits_with_status_0(self):
        with tempfile.TemporaryDirectory() as folder:
            # A copy of the program with no data beside it, and no fonts at all.
            binary = shutil.copy(BINARY, folder)
            fonts = os.path.join(folder, "fonts.conf")
            with open(fonts, "w") as config:
                config.write('<?xml version="1.0"?>\n<fontconfig></fontconfig>\n')
            for redirect in ("2>&-", "<&- >&- 2>&-"):  # standard error closed, or all three
                with self.subTest(redirect), Game(binary=binary, cwd=folder, redirect=redirect,
                                                  env={"FONTCONFIG_FILE": fonts}) as game:
                    game.ready()
                    game.key("Escape")
                    self.assertEqual(0, game.wait_exit(5), "status 5 s after Esc")


if __name__ == "__main__":
    unittest.main()
