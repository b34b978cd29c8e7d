"""The installed game: `cmake --install` into a staging folder (DESTDIR), then
started from an unrelated working directory, it finds the texture installed
beside it; without that file it plays in flat colours and says where it looked."""

import os
import pathlib
import subprocess
import tempfile
import unittest

from harness import BINARY, Game, flat_share, main

BUILD = os.path.dirname(BINARY)  # the build folder holds the program
APP = "io.github.tarnwick.Quorvel"
INSTALLED = {"usr/bin/quorvel", "usr/share/quorvel/data/cube.tga",
             "usr/share/applications/%s.desktop" % APP, "usr/share/metainfo/%s.metainfo.xml" % APP,
             "usr/share/icons/hicolor/scalable/apps/%s.svg" % APP, "usr/share/man/man6/quorvel.6.gz"}


class InstallTest(unittest.TestCase):
    def test_the_installed_game_finds_its_texture_from_any_folder(self):
        with tempfile.TemporaryDirectory() as stage, tempfile.TemporaryDirectory() as elsewhere:
            subprocess.run(["cmake", "--install", BUILD, "--prefix", "/usr"], check=True,
                           env=dict(os.environ, DESTDIR=stage), capture_output=True, timeout=60)
            installed = {str(f.relative_to(stage)) for f in pathlib.Path(stage).rglob("*")
                         if f.is_file()}
            self.assertEqual(INSTALLED, installed)  # and nothing of the tests or tools
            program = pathlib.Path(stage, "usr", "bin", "quorvel")
            with Game(binary=str(program), cwd=elsewhere) as game:
                self.assertLess(flat_share(game.ready()), 0.1, "flat colours: no texture found")
                self.assertNotIn("not found", game.output())

            looked = [pathlib.Path(elsewhere, "data"), program.parent / "data",
                      pathlib.Path(stage, "usr", "share", "quorvel", "data")]
            (looked[2] / "cube.tga").unlink()
            with Game(binary=str(program), cwd=elsewhere) as game:
                self.assertGreater(flat_share(game.ready()), 0.9, "textured without a texture")
                said = [line for line in game.output().splitlines() if "not found" in line]
            self.assertEqual(1, len(said), said)
            for folder in looked:
                self.assertIn(str(folder / "cube.tga"), said[0])


if __name__ == "__main__":
    main()
