"""The game as a player sees it: marking and placing, a game to a red win and
a new game, the camera and display controls."""

import operator
import time
import unittest

from harness import Game, blue, flat_share, grab_screen, green, help_seen, main, red
from harness import run, seen, square, squares, white, yellow

# (row, column) clicked in turn: red fills row 4 from the left, green row 0.
MOVES = [(4, 0), (0, 0), (4, 1), (0, 1), (4, 2), (0, 2), (4, 3), (0, 3), (4, 4)]


def pieces(shot):
    return shot.count(red, step=2), shot.count(green, step=2)


def blue_seen(shot):
    return shot.count(blue, step=4)


def shown(was, now):
    return was == 0 and now > 100


# What the player does (xdotool commands), what is measured on the screen, how
# it must compare with before, and whether doing it again brings it back. The
# turns, last as the toggles want a still view, end resting at the left edge.
CONTROLS = [
    ("key t", flat_share, lambda was, now: was < 0.1 and now > 0.9, True),
    ("key w", blue_seen, lambda was, now: now < was / 3, True),
    ("key h", help_seen, shown, True),
    ("key c", lambda shot: shot.count(white, (shot.width - 150, 25, 150, 200)), shown, True),
    ("click 4 click 4", blue_seen, operator.gt, False),  # the wheel away: smaller
    ("click 5 click 5 click 5", blue_seen, operator.lt, False),
] + [  # Dragged down with the right button: farther, smaller; forward: nearer, bigger.
    ("mousedown 3 sleep 0.2 mousemove_relative -- 0 %d sleep 0.2 mousemove_relative -- 0 %d sleep"
     " 0.2 mouseup 3 sleep 0.2 mousemove_relative -- 0 %d" % (dy, dy, -2 * dy),  # the pointer back
     lambda shot: shot.count(square, step=4), holds, False)
    for dy, holds in ((30, operator.gt), (-30, operator.lt))
] + [(act, lambda shot: shot.mask(blue), operator.ne, False)
     for act in ("key s", "key f", "key d", "key e", "mousemove 0 500", "")]


class PlayTest(unittest.TestCase):
    def test_a_game_to_a_red_win_then_a_new_game(self):
        # As from a shell without a desktop session: nothing to say on stderr.
        with Game(unset=("XDG_RUNTIME_DIR", "WAYLAND_DISPLAY")) as game:
            start = game.ready()
            grid = squares(start)
            self.assertIsNotNone(grid, "no board of 9 x 9 squares on the first picture")
            result_line = (start.width // 2 - 80, 25, 170, 15)
            self.assertEqual(0, start.count(white, result_line))
            # Each click is shorter than a frame and places one piece of the player
            # whose turn it is. The first two squares are seen marked before.
            for turn, (row, column) in enumerate(MOVES):
                x, y = grid[row][column]
                game.move(x, y)
                if turn < 2:
                    self.assertTrue(seen(lambda s: yellow(s.pixel(x, y))), (row, column))
                game.tap()
                colour = (red, green)[turn % 2]
                self.assertTrue(seen(lambda s: colour(s.pixel(x, y))), (row, column))
            won = seen(lambda s: s.count(white, result_line) > 50)
            self.assertTrue(won, "no result line after red's fifth in a row")

            x, y = grid[8][8]  # free, but the game is over
            game.move(x, y)
            game.click()
            late = seen(lambda s: yellow(s.pixel(x, y)))
            self.assertTrue(late, "the free square is not marked")
            self.assertEqual(pieces(won), pieces(late), "a piece was placed after the win")

            game.key("s")
            self.assertTrue(seen(lambda s: s.mask(square) != late.mask(square)), "S did not turn")
            game.key("n")
            fresh = seen(lambda s: pieces(s) == (0, 0))
            self.assertTrue(fresh, "pieces left after N")
            self.assertEqual(0, fresh.count(white, result_line), "result line after N")
            self.assertTrue(start.mask(square) == fresh.mask(square), "N did not reset the camera")
            # Held across free squares, the button places on each, the colours alternating.
            game.move(*grid[8][0])
            run("xdotool", "mousedown", "1")
            for turn, (x, y) in enumerate(grid[8][:3]):
                game.move(x, y)
                colour = (red, green)[turn % 2]
                self.assertTrue(seen(lambda s: colour(s.pixel(x, y))), "held, square %d" % turn)
            run("xdotool", "mouseup", "1")
            self.assertEqual("", game.output(), "stderr")

    def test_view_and_display_controls(self):
        with Game() as game:
            rest = game.ready()
            time.sleep(1)  # the pointer resting in the middle, nothing pressed: a still view
            before = grab_screen()
            self.assertTrue(rest.mask(square) == before.mask(square), "the view moved by itself")
            for act, measure, holds, toggles in CONTROLS:
                with self.subTest(act or "resting at the edge"):
                    was = measure(before)
                    for again in range(1 + toggles):
                        if act:
                            run("xdotool", *act.split())
                        check = (lambda now: now == was) if again else (lambda now: holds(was, now))
                        after = seen(lambda s: check(measure(s)))
                        self.assertTrue(after, "not back when done again" if again else "no change")
                    before = after or before


if __name__ == "__main__":
    main()
