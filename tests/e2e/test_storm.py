"""About 20 seconds of random mouse moves, clicks, wheel turns and key presses
against the running game: it still answers at once, a new game shows the first
picture, one square marked under the cursor, and Esc ends it with status 0."""

import random
import tempfile
import unittest

from harness import Game, geometry, help_seen, require_display, run, seen, square, yellow

KEYS = "c d e f h n s t w a b g x z 1 space Return".split()  # never Esc


def storm(width, height, steps=3000, seed=6):
    """An xdotool script of random inputs 4 ms apart, half of them moves."""
    rng = random.Random(seed)
    inputs = (
        [lambda: "mousemove %d %d" % (rng.randrange(width), rng.randrange(height))] * 5
        + [lambda: "mouse%s %d" % (rng.choice(["down", "up"]), rng.choice([1, 1, 3]))] * 2
        + [lambda: "mousedown {0}\nmouseup {0}".format(rng.choice([4, 5]))]  # click waits
        + [lambda: "key " + rng.choice(KEYS)] * 2)
    lines = (rng.choice(inputs)() + "\nsleep 0.004\n" for _ in range(steps))
    return "".join(lines) + "mouseup 1\nmouseup 3\n"


class StormTest(unittest.TestCase):
    def test_the_game_holds_together_under_an_input_storm(self):
        with Game() as game, tempfile.NamedTemporaryFile("w", suffix=".xdo") as script:
            game.ready()
            _, _, width, height = geometry("root")
            middle = (width // 2 + 1, height // 2)
            game.move(*middle)
            start = seen(lambda s: s.count(yellow, step=4) > 0)
            inputs = storm(width, height)
            script.write(inputs)
            script.flush()
            run("xdotool", script.name, timeout=60)
            self.assertTrue(game.running(), "ended under the storm")
            was = help_seen(game.screen())
            run("xdotool", "key", "h")
            self.assertTrue(seen(lambda s: help_seen(s) != was, 1), "H unanswered for 1 s")
            # A new game, filled and textured again (W and T pressed an even
            # number of times), shows the first picture: no pieces, the camera
            # reset, one square marked, the one under the cursor.
            game.key("n")
            for key in "wt":
                if inputs.count("key %s\n" % key) % 2:
                    game.key(key)
            game.move(*middle)
            same = lambda s: all(s.mask(kind) == start.mask(kind) for kind in (square, yellow))
            self.assertTrue(seen(same), "the board differs from the start")
            game.key("Escape")
            self.assertEqual(0, game.wait_exit(1.5), game.output())


if __name__ == "__main__":
    require_display()
    unittest.main()
