"""A long session keeps its memory: thousands of pointer moves over a board
with pieces, each of which picks the square under the cursor, with
placements, N and the display keys in between, leave the game's resident
size where it was after the first round."""

import unittest

from harness import Game, require_display, run, seen, squares, yellow

MOVES = 1500  # pointer moves per round
# Each pressed twice: the display ends as it began.
KEYS = ["key"] + "t t w w h h c c".split()
GROWTH_LIMIT_MB = 6


def resident_mb(pid):
    with open("/proc/%d/status" % pid) as status:
        line = next(line for line in status if line.startswith("VmRSS:"))
    return int(line.split()[1]) / 1024


def moves(points, count):
    """xdotool arguments for count pointer moves hopping among points."""
    hops = (points[i * 7 % len(points)] for i in range(count))
    return [word for x, y in hops for word in ("mousemove", str(x), str(y))]


class SoakTest(unittest.TestCase):
    def test_moves_placements_and_new_games_keep_the_resident_size(self):
        with Game() as game:
            grid = squares(game.ready())
            self.assertIsNotNone(grid, "no board of 9 x 9 squares on the first picture")
            everywhere = [point for row in grid for point in row]
            rest = grid[4][5]  # a square that stays free
            before = None
            # The first round warms up; after the third a new game clears the board.
            for n, column in enumerate([0, 2, 4, 0, 2]):
                # A column of pieces, red and green in turn: never five alike in a line.
                for row in range(9):
                    x, y = grid[row][column]
                    game.move(x, y)
                    self.assertTrue(seen(lambda s: yellow(s.pixel(x, y))), (row, column))
                    game.click()
                run("xdotool", *moves(everywhere, MOVES), *KEYS, "mousemove", *map(str, rest),
                    timeout=60)
                self.assertTrue(seen(lambda s: yellow(s.pixel(*rest)), 10), "moves not done")
                if n == 0:
                    before = resident_mb(game.process.pid)
                if n == 2:
                    game.key("n")
            grown = resident_mb(game.process.pid) - before
            self.assertLess(grown, GROWTH_LIMIT_MB, "MB grown over %d moves" % (4 * MOVES))


if __name__ == "__main__":
    require_display()
    unittest.main()
