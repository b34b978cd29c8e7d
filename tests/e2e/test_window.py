"""The program's window on a desktop: full screen with the game's title; both
ways of leaving (Esc, and closing the window) end it with status 0; minimised,
restored and made smaller it goes on, and picks the square under the cursor."""

import ctypes
import unittest

from harness import TITLE, Game, blue, geometry, main, net_wm_state, run, seen, squares
from harness import wait_until, yellow


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
    def test_full_screen_with_the_title_and_esc_or_closing_quits_with_status_0(self):
        # alt+F4 is openbox's binding for Close: the window gets WM_DELETE_WINDOW.
        # Esc is tapped between two frames.
        for keys in ("Escape", "alt+F4"):
            with self.subTest(keys), Game() as game:
                game.wait_drawn()
                self.assertEqual(TITLE, run("xdotool", "getwindowname", game.window).strip())
                # What the window manager was asked for: a panel would stay over a
                # plain window of the screen's size, or shrink it to the work area.
                self.assertIn("FULLSCREEN", net_wm_state(game.window), "_NET_WM_STATE")
                # The window manager may take a moment to honour full screen.
                screen = geometry("root")
                box = wait_until(lambda: geometry(game.window) == screen and screen, 5)
                self.assertEqual(screen, box or geometry(game.window), "window geometry")
                # Asked for no frame (Motif hints: decorations 0), or a window manager
                # that frames it before full screen pushes its bottom rows off the screen.
                hints = run("xprop", "-id", game.window, "_MOTIF_WM_HINTS").split("=")[-1]
                self.assertEqual(0, int(hints.split(",")[2], 0), "decorations: %s" % hints)
                game.focus()
                if keys == "Escape":
                    game.key("q")  # a key without a meaning
                    self.assertIsNone(game.wait_exit(0.3), "status after Q")
                    game.tap(keys, "key")
                else:
                    game.key(keys)
                self.assertEqual(0, game.wait_exit(2), "status 2 s after %s" % keys)

    def test_minimised_restored_and_resized_it_picks_under_the_cursor(self):
        with Game() as game:
            game.ready()
            run("xdotool", "windowminimize", "--sync", game.window)
            self.assertTrue(seen(lambda s: s.count(blue, step=16) == 0), "not minimised")
            game.focus()
            game.wait_drawn()
            # The pointer where the smaller window keeps it inside and out of the
            # margins that turn the view: the middle of a wide screen lies beyond 800.
            game.move(400, 300)
            leave_full_screen(game.window)
            run("xdotool", "windowsize", "--sync", game.window, "800", "600")
            box = wait_until(lambda: (now := geometry(game.window))[2:] == (800, 600) and now, 5)
            self.assertTrue(box, "window size %s" % (geometry(game.window),))
            shot = seen(lambda s: squares(s, box))
            self.assertTrue(shot, "no board of 9 x 9 squares in the smaller window")
            x, y = squares(shot, box)[2][6]
            self.assertFalse(yellow(shot.pixel(x, y)))
            game.move(x, y)
            self.assertTrue(seen(lambda s: yellow(s.pixel(x, y))), "not marked under the cursor")


if __name__ == "__main__":
    main()
