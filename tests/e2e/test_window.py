"""The program's window on a desktop: full screen with the game's title; both
ways of leaving (Esc, and closing the window) end it with status 0; minimised,
restored and made smaller it goes on, and picks the square under the cursor."""

import ctypes
import time
import unittest

from harness import TITLE, Game, blue, geometry, require_display, run, seen, squares, wait_until
from harness import yellow


def leave_full_screen(window):
    """Asks the window manager to take the window out of full screen, by the
    desktops' client message, which xdotool cannot send."""
    c, x = ctypes, ctypes.CDLL("libX11.so.6")
    x.XOpenDisplay.restype = c.c_void_p
    x.XInternAtom.restype = x.XDefaultRootWindow.restype = c.c_ulong
    display = c.c_void_p(x.XOpenDisplay(None))
    state, full = (x.XInternAtom(display, b"_NET_WM_STATE" + e, 0) for e in (b"", b"_FULLSCREEN"))
    # An XClientMessageEvent as an XEvent's 24 longs (64-bit): ClientMessage,
    # serial, send_event, display, window, type, format 32, data: remove full.
    event = (c.c_long * 24)(33, 0, 1, display.value, int(window), state, 32, 0, full, 0, 1)
    # To the root, as SubstructureNotify and SubstructureRedirect.
    root = c.c_ulong(x.XDefaultRootWindow(display))
    x.XSendEvent(display, root, 0, c.c_long(3 << 19), event)
    x.XCloseDisplay(display)


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

    def test_minimised_restored_and_resized_it_picks_under_the_cursor(self):
        with Game() as game:
            game.ready()
            run("xdotool", "windowminimize", "--sync", game.window)
            self.assertTrue(seen(lambda s: s.count(blue, step=16) == 0), "not minimised")
            game.focus()
            game.wait_drawn()
            leave_full_screen(game.window)
            run("xdotool", "windowsize", "--sync", game.window, "800", "600")
            box = wait_until(lambda: game.geometry()[2:] == (800, 600) and game.geometry(), 5)
            self.assertTrue(box, "window size %s" % (game.geometry(),))
            shot = seen(lambda s: squares(s, box))
            self.assertTrue(shot, "no board of 9 x 9 squares in the smaller window")
            x, y = squares(shot, box)[2][6]
            self.assertFalse(yellow(shot.pixel(x, y)))
            game.move(x, y)
            self.assertTrue(seen(lambda s: yellow(s.pixel(x, y))), "not marked under the cursor")


if __name__ == "__main__":
    require_display()
    unittest.main()
