"""A long session: thousands of pointer moves over a board with pieces, each
picking the square under the cursor, with placements, N and the display keys
in between, leave the game's resident size where it was after the first round.
Then a storm of random input: the game still answers at once, a new game shows
the first picture, and Esc ends it with status 0."""

import random
import unittest

from harness import Game, grab_screen, help_seen, main, run, seen, square, squares, yellow

MOVES = 1500  # pointer moves per round, sent at once: a frame per event falls behind
TOGGLES = ["key"] + "t t w w h h c c".split()  # each twice: the display ends as it began
GROWTH_LIMIT_MB = 6
STORM_KEYS = "c d e f h n s t w a b g x z 1 space Return".split()  # never Esc


def resident_mb(pid):
    with open("/proc/%d/status" % pid) as status:
        return int(next(line for line in status if line.startswith("VmRSS:")).split()[1]) / 1024


def storm(width, height, steps=3000, seed=6):
    """xdotool commands for random inputs 4 ms apart, half of them moves."""
    rng = random.Random(seed)
    inputs = (
        [lambda: ["mousemove", str(rng.randrange(width)), str(rng.randrange(height))]] * 5
        + [lambda: [rng.choice(["mousedown", "mouseup"]), rng.choice("113")]] * 2
        + [lambda: (lambda b: ["mousedown", b, "mouseup", b])(rng.choice("45"))]  # click waits
        + [lambda: ["key", rng.choice(STORM_KEYS)]] * 2)
    return [word for _ in range(steps) for word in rng.choice(inputs)() + ["sleep", "0.004"]]


class SoakTest(unittest.TestCase):
    def test_a_long_session_keeps_its_memory_and_survives_an_input_storm(self):
        with Game() as game:
            shot = game.ready()
            grid = squares(shot)
            self.assertIsNotNone(grid, "no board of 9 x 9 squares on the first picture")
            middle, rest = grid[4][4], grid[4][5]
            game.move(*middle)  # the first picture: no pieces, the square under the cursor
            start = seen(lambda s: yellow(s.pixel(*middle)))
            hops = [grid[i * 7 % 81 // 9][i * 7 % 9] for i in range(MOVES)]
            hops = [word for x, y in hops for word in ("mousemove", str(x), str(y))]
            # The first round warms up; after the third a new game clears the board.
            for n, column in enumerate([0, 2, 4, 0, 2]):
                for row in range(9):  # a column of pieces, red and green in turn: no five alike
                    x, y = grid[row][column]
                    game.move(x, y)
                    self.assertTrue(seen(lambda s: yellow(s.pixel(x, y))), (row, column))
                    game.click()
                run("xdotool", *hops, *TOGGLES, "mousemove", *map(str, rest), timeout=60)
                self.assertTrue(seen(lambda s: yellow(s.pixel(*rest)), 10), "moves not done")
                if n == 0:
                    before = resident_mb(game.process.pid)
                if n == 2:
                    game.key("n")
            grown = resident_mb(game.process.pid) - before
            self.assertLess(grown, GROWTH_LIMIT_MB, "MB grown over %d moves" % (4 * MOVES))

            inputs = storm(shot.width, shot.height)
            run("xdotool", *inputs, "mouseup", "1", "mouseup", "3", timeout=60)
            self.assertTrue(game.running(), "ended under the storm")
            was = help_seen(grab_screen())
            run("xdotool", "key", "h")
            self.assertTrue(seen(lambda s: help_seen(s) != was, 1), "H unanswered for 1 s")
            # A new game, filled and textured again (W and T pressed an even
            # number of times), shows the first picture.
            game.key("n")
            for key in "wt":
                if " ".join(inputs).count("key %s " % key) % 2:
                    game.key(key)
            game.move(*middle)
            same = lambda s: all(s.mask(kind) == start.mask(kind) for kind in (square, yellow))
            self.assertTrue(seen(same), "the board differs from the start")
            game.key("Escape")
            self.assertEqual(0, game.wait_exit(1.5), game.output())


if __name__ == "__main__":
    main()
