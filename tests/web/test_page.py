"""The page in headless Chromium as a player meets it: a game to a red win,
the view and display controls, the window's sizes down to nothing, Esc; and the
page where the browser offers no WebGL, or where it is opened as a file. The
colour checks are the desktop tests' own (tests/e2e/harness.py).
QUORVEL_WEB_SITE is the built page's folder (build-web/ in the tree)."""

import operator
import os
import sys
import unittest

from browser import Browser, chromium_missing, served
from harness import ROOT, SKIP, blue, flat_share, green, help_seen, red, squares, white
from harness import yellow

SITE = os.environ.get("QUORVEL_WEB_SITE") or os.path.join(ROOT, "build-web")
# The desktop tests' window size, so that their boxes (the result line, the
# help) fall where they do there.
WIDTH, HEIGHT = 800, 600
RESULT_LINE = (WIDTH // 2 - 80, 25, 170, 15)
# (row, column) clicked in turn: red fills row 4 from the left, green row 0.
MOVES = [(4, 0), (0, 0), (4, 1), (0, 1), (4, 2), (0, 2), (4, 3), (0, 3), (4, 4)]


def pieces(shot):
    return shot.count(red, step=2), shot.count(green, step=2)


def blue_seen(shot):
    return shot.count(blue, step=4)


# What the player does, what is measured, and how it must compare with before;
# each toggle is done twice and must come back.
CONTROLS = [
    ("t", flat_share, lambda was, now: was < 0.1 and now > 0.9),
    ("w", blue_seen, lambda was, now: now < was / 3),
    ("h", help_seen, lambda was, now: was == 0 and now > 100),
]


class PageTest(unittest.TestCase):
    def setUp(self):
        self.server = served(SITE)
        self.url = self.server.__enter__()

    def tearDown(self):
        self.server.__exit__(None, None, None)

    def start(self, browser):
        """Opens the page and waits for the board; its first picture."""
        browser.open(self.url)
        start = browser.seen(lambda s: squares(s) is not None, 30)
        self.assertTrue(start, "no board of 9 x 9 squares: %r" % browser.text())
        return start

    def test_a_game_the_controls_the_sizes_and_esc(self):
        with Browser(WIDTH, HEIGHT) as browser:
            start = self.start(browser)
            grid = squares(start)
            self.assertEqual(0, start.count(white, RESULT_LINE))
            for turn, (row, column) in enumerate(MOVES):
                x, y = grid[row][column]
                browser.move(x, y)
                if turn < 2:  # the square under the pointer, then the cube on it
                    self.assertTrue(browser.seen(lambda s: yellow(s.pixel(x, y))), (row, column))
                browser.click()
                if turn < 2:
                    colour = (red, green)[turn]
                    self.assertTrue(browser.seen(lambda s: colour(s.pixel(x, y))), (row, column))
            won = browser.seen(lambda s: s.count(white, RESULT_LINE) > 50)
            self.assertTrue(won, "no result line after red's fifth in a row")

            browser.move(WIDTH // 2, HEIGHT // 2)  # out of the margins that turn the view
            browser.key("n")
            fresh = browser.seen(lambda s: pieces(s) == (0, 0))
            self.assertTrue(fresh, "pieces left after N")
            self.assertEqual(0, fresh.count(white, RESULT_LINE), "result line after N")

            before = fresh
            for key, measure, holds in CONTROLS:
                with self.subTest(key):
                    was = measure(before)
                    browser.key(key)
                    self.assertTrue(browser.seen(lambda s: holds(was, measure(s))), "no change")
                    browser.key(key)
                    self.assertTrue(browser.seen(lambda s: measure(s) == was), "not back")
            for notches, compare in ((-2, operator.gt), (3, operator.lt)):  # away, then nearer
                with self.subTest(wheel=notches):
                    was = blue_seen(browser.screen())
                    browser.wheel(notches)
                    self.assertTrue(browser.seen(lambda s: compare(was, blue_seen(s))))

            # The canvas follows the page's size, down to nothing and back.
            for width, height in ((640, 480), (0, 0), (WIDTH, HEIGHT)):
                with self.subTest(size=(width, height)):
                    # The viewport cannot be 0 x 0; the canvas can, by the page's style.
                    browser.evaluate("canvas.style.width = canvas.style.height = '%s'"
                                     % ("0px" if width == 0 else ""))
                    browser.resize(max(width, 1), max(height, 1))
                    size = (width, height)
                    self.assertTrue(browser.seen(lambda s: browser.evaluate(
                        "[canvas.width, canvas.height]") == list(size)), size)
            # (The pointer was outside the window of no size, in the margins
            # that turn the view: the board comes back turned.)
            self.assertTrue(browser.seen(lambda s: blue_seen(s) > 1000), "no board after")

            browser.key("Escape")
            ended = browser.seen(lambda s: "The game has ended." in browser.text(), 10)
            self.assertTrue(ended, "after Esc: %r" % browser.text())
            self.assertIn("Reload the page to play again.", browser.text())
            problems = [text for level, text in browser.console if level == "error"]
            self.assertEqual([], problems, "the console's errors")

    def test_a_broken_texture_gives_flat_colours_and_says_why(self):
        with Browser(WIDTH, HEIGHT) as browser:
            # The texture is the data's first file: its header made empty.
            browser.change_responses("quorvel.data", lambda data: bytes(18) + data[18:])
            start = self.start(browser)
            self.assertGreater(flat_share(start), 0.9, "not flat colours")
            said = [text for level, text in browser.console if level == "error"]
            self.assertTrue(any("data/cube.tga is not a picture" in text for text in said), said)

    def test_the_page_without_webgl_says_so(self):
        with Browser(WIDTH, HEIGHT, ["--disable-3d-apis"]) as browser:
            browser.open(self.url)
            self.assertIn("Quorvel needs WebGL", browser.text())

    def test_the_page_opened_as_a_file_says_how_to_serve_it(self):
        with Browser(WIDTH, HEIGHT) as browser:
            browser.open("file://" + os.path.abspath(os.path.join(SITE, "index.html")))
            self.assertIn("python3 -m http.server -d build-web", browser.text())


if __name__ == "__main__":
    if chromium_missing() or not os.path.isfile(os.path.join(SITE, "quorvel.wasm")):
        print("skipped: %s" % (chromium_missing() or "no page built in " + SITE))
        sys.exit(SKIP)
    unittest.main()
