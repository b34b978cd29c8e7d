"""The Windows program under Wine, driven as the Linux program is (tests/e2e):
on an X display of its own at 1280 x 1024 with no window manager, so that full
screen is Wine's and the program's own doing. Player.plays is how a game must
play (test_install.py holds the installed game to it). Without a window it
shows the message box and ends with status 1.
Unpacked from its ZIP into a folder with non-ASCII letters, it plays textured
and with text from anywhere (Wine's font folder is empty: the font is its own).
QUORVEL_EXE is the program, QUORVEL_ZIP its ZIP, QUORVEL_WINEPREFIX the Wine
prefix this run makes afresh."""

import os
import shutil
import sys
import tempfile
import unittest
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import SKIP, TITLE, Game, blue, error_boxes, flat_share, geometry  # noqa: E402
from harness import grab_screen, green, help_seen, red, run, seen, squares, wait_until  # noqa: E402
from harness import x_server, yellow  # noqa: E402

EXE = os.environ.get("QUORVEL_EXE", "")
PREFIX = os.environ.get("QUORVEL_WINEPREFIX", "")
WINE = {"WINEPREFIX": PREFIX, "WINEDEBUG": "-all",
        # No offer to install .NET or Gecko, no Linux menu entries for shortcuts.
        "WINEDLLOVERRIDES": "mscoree,mshtml,winemenubuilder.exe=",
        "LIBGL_ALWAYS_SOFTWARE": "1", "GALLIUM_DRIVER": "llvmpipe"}
TOOLS = ("wine", "wineserver", "Xvfb", "xdotool", "xwininfo", "import")
SLOW = 60  # seconds to the first picture: Wine starts its services first


def end_wine():
    """Ends every process of the prefix, the wineserver last, and waits for it."""
    run("wineserver", "-k", check=False)
    run("wineserver", "-w", check=False, timeout=20)


def windows_game(exe=None, **args):
    return Game(binary=["wine", exe or EXE], **args)


class Player:
    """A test case's way of playing the Windows program (also the installed one's)."""

    def start(self, game):
        game.move(640, 512)  # in the middle, out of the margins that turn the view
        return game.wait_drawn(SLOW)

    def plays(self, game):
        """Full screen, textured, marks and places, the keys change the
        picture, Esc ends it with status 0."""
        start = self.start(game)
        self.assertEqual(TITLE, run("xdotool", "getwindowname", game.window).strip())
        self.assertEqual(geometry("root"), geometry(game.window), "not full screen")
        self.assertLess(flat_share(start), 0.1, "flat colours: the texture is missing")
        grid = squares(start)
        self.assertIsNotNone(grid, "no board of 9 x 9 squares on the first picture")
        for turn, colour in enumerate((red, green)):
            x, y = grid[4][3 + turn]
            game.move(x, y)
            self.assertTrue(seen(lambda s: yellow(s.pixel(x, y)), 5), "not marked")
            game.click()
            self.assertTrue(seen(lambda s: colour(s.pixel(x, y)), 5), "no piece")
        blues = lambda shot: shot.count(blue, step=4)
        for key, measure, holds in [("h", help_seen, lambda was, now: was == 0 and now > 100),
                                    ("t", flat_share, lambda was, now: now > 0.9),
                                    ("w", blues, lambda was, now: now < was / 3)]:
            was = measure(grab_screen())
            game.key(key)
            self.assertTrue(seen(lambda s: holds(was, measure(s)), 5), "no change by " + key)
        game.key("Escape", hold=0.5)  # held over several frames, as a person does
        self.assertEqual(0, game.wait_exit(10), "status after Esc")


def painted(shot, box):
    """Whether box = (x, y, width, height) is sized (Wine maps it at 106 x 2 first)
    and mostly light."""
    width, height = box[2:]
    return width * height > 10000 and \
        shot.count(lambda rgb: min(rgb) > 200, box) > width * height / 2


class WineTest(Player, unittest.TestCase):
    def tearDown(self):
        end_wine()  # a message box or a hung program would outlive the test

    def test_without_a_window_it_shows_the_message_box_and_exits_with_status_1(self):
        # No GL library to load: the window fails, while SDL's Windows driver,
        # which shows the box, stays (a named video driver that does not exist
        # leaves SDL 2.28 and later with no driver to show it).
        with windows_game(env={"SDL_OPENGL_LIBRARY": "nosuchgl.dll"}) as game:
            self.assertTrue(wait_until(lambda: game._alive() or error_boxes(), SLOW, 0.2),
                            "no message box")
            # The box is mapped before it is sized and painted: wait for its light face.
            drawn = wait_until(lambda: [(box, shot) for box in map(geometry, error_boxes())
                                        for shot in [grab_screen()] if painted(shot, box)], 10)
            self.assertTrue(drawn, "the box is not drawn")
            (x, y, width, height), shot = drawn[0]
            # The message, above the button, ends inside the box, not cut at its edge.
            text = [column for column in range(x, x + width) for row in range(y, y + height // 2)
                    if max(shot.pixel(column, row)) < 90]
            self.assertGreater(len(text), 100, "no text")
            self.assertLess(max(text), x + width - 8, "the text runs to the box's edge")
            game.key("Return", hold=0.3)  # OK
            self.assertEqual(1, game.wait_exit(10), "status after the box")

    def test_unpacked_zip_plays_from_a_folder_with_non_ascii_letters(self):
        with tempfile.TemporaryDirectory() as temp:
            # UTF-8 taken for ANSI loses the Ä; a program on ANSI paths throughout
            # would lose the letters that no single code page holds.
            folder = os.path.join(temp, "Spiele-Ärger-ゲーム")
            elsewhere = os.path.join(temp, "anywhere")
            zipfile.ZipFile(os.environ["QUORVEL_ZIP"]).extractall(folder)
            os.mkdir(elsewhere)
            with windows_game(os.path.join(folder, "quorvel.exe"), cwd=elsewhere) as game:
                start = self.start(game)
                self.assertLess(flat_share(start), 0.1, "flat colours: no texture found")
                game.key("h")
                self.assertTrue(seen(lambda s: help_seen(s) > 100, 5), "no help text")
                self.assertNotIn("not found", game.output())


def main(program=EXE):
    """Runs the calling file's tests in a prefix made afresh, on an X server of
    their own; skips them without the tools, the program or the prefix's name."""
    missing = [tool for tool in TOOLS if not shutil.which(tool)]
    if missing or not os.path.isfile(program) or not PREFIX:
        print("skipped: needs %s, the program to test and QUORVEL_WINEPREFIX"
              % ", ".join(missing or TOOLS))
        sys.exit(SKIP)
    os.environ.update(WINE)
    os.environ.pop("WAYLAND_DISPLAY", None)
    with x_server(1280, 1024):
        shutil.rmtree(PREFIX, ignore_errors=True)
        try:
            run("wine", "wineboot", "--init", timeout=180)
            unittest.main()
        finally:
            end_wine()


if __name__ == "__main__":
    main()
