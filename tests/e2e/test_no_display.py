"""Without a display to open a window on, the program says why on stderr and
reports the failure in its exit status instead of running blind; with a
display but a GL driver that fails, it shows the error box as well, rather
than dying in Xlib's handler with a protocol dump."""

import os
import re
import unittest

from harness import Game, error_boxes, free_display_number, run, wait_until

MESSAGE = "Failed to create the window"
SAID_WHY = re.compile("%s: .+" % MESSAGE)  # the platform's reason after the message


class NoDisplayTest(unittest.TestCase):
    def test_fails_with_a_message(self):
        cases = [
            ("DISPLAY unset", {}),
            ("DISPLAY names no server", {"DISPLAY": ":%d" % free_display_number()}),
        ]
        for name, env in cases:
            with self.subTest(name), Game(env=env, unset=("DISPLAY", "WAYLAND_DISPLAY")) as game:
                status = game.wait_exit(10)
                self.assertIsNotNone(status, "still running after 10 s")
                self.assertNotEqual(0, status, "exit status")
                self.assertRegex(game.output(), SAID_WHY)

    @unittest.skipUnless(os.environ.get("DISPLAY"), "DISPLAY is not set")
    def test_a_gl_driver_that_fails_shows_the_box_and_status_1(self):
        with Game(env={"LIBGL_DRIVERS_PATH": "/nonexistent"}) as game:
            self.addCleanup(lambda: [run("xdotool", "windowkill", box, check=False)
                                     for box in error_boxes()])
            boxes = wait_until(error_boxes, 15, 0.2)
            self.assertTrue(boxes, "no error box; status %s" % game.process.poll())
            run("xdotool", "windowactivate", "--sync", boxes[0])
            run("xdotool", "key", "Return")
            self.assertEqual(1, game.wait_exit(5), "status 5 s after OK")
            self.assertRegex(game.output(), SAID_WHY)


if __name__ == "__main__":
    unittest.main()
