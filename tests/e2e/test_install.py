"""The installed game: `cmake --install` into a staging folder (DESTDIR), then
started from an unrelated working directory, it finds the texture installed
beside it; without that file it plays in flat colours and says where it looked.
The .deb holds the same files, and the game unpacked from it plays textured."""

import os
import pathlib
import re
import subprocess
import tempfile
import unittest

from harness import BINARY, Game, flat_share, main, run

BUILD = os.path.dirname(BINARY)  # the build folder holds the program
APP = "io.github.tarnwick.Quorvel"
INSTALLED = {"usr/bin/quorvel", "usr/share/quorvel/data/cube.tga",
             "usr/share/applications/%s.desktop" % APP, "usr/share/metainfo/%s.metainfo.xml" % APP,
             "usr/share/icons/hicolor/scalable/apps/%s.svg" % APP, "usr/share/man/man6/quorvel.6.gz"}
TOOLS = {"build-essential", "cmake", "gcc", "g++", "clang", "xvfb", "xdotool", "python3"}


def files(root):
    return {str(f.relative_to(root)) for f in pathlib.Path(root).rglob("*") if f.is_file()}


class InstallTest(unittest.TestCase):
    def test_the_package_holds_the_game_and_depends_on_no_build_or_test_tool(self):
        run("cmake", "--build", BUILD, "--target", "package", timeout=300)
        deb = os.path.join(BUILD, "quorvel_1.0.1_amd64.deb")
        self.assertEqual("games\n", run("dpkg-deb", "-f", deb, "Section"))
        depends = {d.split()[0] for d in re.split("[,|]", run("dpkg-deb", "-f", deb, "Depends"))}
        self.assertIn("fonts-dejavu-core", depends)
        tools = {d for d in depends if d.endswith("-dev") or d in TOOLS}
        self.assertFalse(tools, "build or test tools among the dependencies")
        with tempfile.TemporaryDirectory() as unpacked, tempfile.TemporaryDirectory() as elsewhere:
            run("dpkg-deb", "-x", deb, unpacked)
            self.assertEqual(INSTALLED, files(unpacked))
            with Game(binary=os.path.join(unpacked, "usr/bin/quorvel"), cwd=elsewhere) as game:
                self.assertLess(flat_share(game.ready()), 0.1, "flat colours: no texture found")

    def test_the_installed_game_finds_its_texture_from_any_folder(self):
        with tempfile.TemporaryDirectory() as stage, tempfile.TemporaryDirectory() as elsewhere:
            subprocess.run(["cmake", "--install", BUILD, "--prefix", "/usr"], check=True,
                           env=dict(os.environ, DESTDIR=stage), capture_output=True, timeout=60)
            self.assertEqual(INSTALLED, files(stage))  # and nothing of the tests or tools
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
