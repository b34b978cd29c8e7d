"""The program's window on a desktop: full screen with the game's title, and
both ways of leaving (Esc, and closing the window) end it with status 0."""

import time
import unittest

from harness import TITLE, Game, geometry, require_display, wait_until


class WindowTest(unittest.TestCase):
    def test_full_screen_window_with_the_title_and_esc_quits(self):
        with Game() as game:
            game.wait_window()
            game.wait_drawn()
            self.assertEqual(TITLE, game.title())
            # The window manager may take a moment to honour full screen.
            screen = geometry("root")
            seen = wait_until(lambda: game.geometry() == screen and screen, 5) or game.geometry()
            self.assertEqual(screen, seen, "window geometry (x, y, width, height)")

            game.focus()
            pressed = time.monotonic()
            game.key("Escape")
            status = game.wait_exit(2)
            self.assertIsNotNone(status, "still running 2 s after Esc")
            self.assertEqual(0, status, game.output())
            self.assertLess(time.monotonic() - pressed, 2.5)

    def test_closing_the_window_quits_with_status_0(self):
        with Game() as game:
            game.wait_window()
            game.wait_drawn()
            game.focus()
            # openbox's binding for Close: the window gets WM_DELETE_WINDOW.
            game.key("alt+F4")
            status = game.wait_exit(3)
            self.assertIsNotNone(status, "still running 3 s after the window was closed")
            self.assertEqual(0, status, game.output())


if __name__ == "__main__":
    require_display()
    unittest.main()
