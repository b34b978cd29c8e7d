"""Without a display to open a window on, the program says why on stderr and
reports the failure in its exit status instead of running blind."""

import unittest

from harness import Game, free_display_number

MESSAGE = "Failed to create the window"

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
                self.assertIn(MESSAGE, game.output())

if __name__ == "__main__":
    unittest.main()
