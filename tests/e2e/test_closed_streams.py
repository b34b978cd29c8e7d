"""Started with standard streams closed, as some launchers do, and with
something to say (no font, no texture), the game still plays and quits on Esc:
what it prints must never reach the display connection that would otherwise
take the closed descriptor."""

import os
import shutil
import tempfile
import unittest

from harness import BINARY, Game, main

CLOSED = [
    ("standard error closed", "2>&-"),
    ("all three closed", "<&- >&- 2>&-"),
]


class ClosedStreamsTest(unittest.TestCase):
    def test_esc_quits_with_status_0(self):
        with tempfile.TemporaryDirectory() as folder:
            # A copy of the program with no data beside it, and no fonts at all.
            binary = shutil.copy(BINARY, folder)
            fonts = os.path.join(folder, "fonts.conf")
            with open(fonts, "w") as config:
                config.write('<?xml version="1.0"?>\n<fontconfig></fontconfig>\n')
            for name, redirect in CLOSED:
                with self.subTest(name), Game(binary=binary, cwd=folder, redirect=redirect,
                                              env={"FONTCONFIG_FILE": fonts}) as game:
                    game.ready()
                    game.key("Escape")
                    self.assertEqual(0, game.wait_exit(5), "status 5 s after Esc")


if __name__ == "__main__":
    main()
