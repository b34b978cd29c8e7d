"""The installed game: `cmake --install` into a staging folder (DESTDIR), then
started from an unrelated working directory, it finds the texture installed
beside it; without that file it plays in flat colours and says where it looked.
Its window, and that of the game in the build folder, belongs to the installed
desktop entry: its class is the entry's id and its icon the entry's drawing.
The .deb holds the same files, and the game unpacked from it plays textured."""

import os
import pathlib
import re
import subprocess
import tempfile
import unittest

from harness import BINARY, ROOT, Game, flat_share, main, run, tree

BUILD = os.path.dirname(BINARY)  # the build folder holds the program
APP = "io.github.tarnwick.Quorvel"
PROGRAM = "usr/games/quorvel"  # where Debian keeps a game's program, its data in share/games
INSTALLED = {PROGRAM, "usr/share/games/quorvel/data/cube.tga",
             "usr/share/applications/%s.desktop" % APP, "usr/share/metainfo/%s.metainfo.xml" % APP,
             "usr/share/icons/hicolor/scalable/apps/%s.svg" % APP, "usr/share/man/man6/quorvel.6.gz",
             "usr/share/doc/quorvel/copyright", "usr/share/doc/quorvel/changelog.gz"}
TOOLS = {"build-essential", "cmake", "gcc", "g++", "clang", "xvfb", "xdotool", "python3"}


def icons(window):
    """The window's _NET_WM_ICON as {(width, height): ARGB values, rows from the top}."""
    out = run("xprop", "-id", window, "-f", "_NET_WM_ICON", "32c", "_NET_WM_ICON")
    values, found = [int(v) for v in re.findall(r"\d+", out.partition("=")[2])], {}
    while len(values) > 2:
        width, height = values[:2]
        found[width, height], values = values[2:2 + width * height], values[2 + width * height:]
    return found


def drawing(svg, width, height):
    """The SVG as rsvg-convert draws it at that size, as ARGB values."""
    png = run("rsvg-convert", "-w", str(width), "-h", str(height), str(svg), text=False)
    rgba = subprocess.run(["convert", "png:-", "-depth", "8", "rgba:-"], input=png,
                          capture_output=True, check=True, timeout=10).stdout
    return [a << 24 | r << 16 | g << 8 | b for r, g, b, a in zip(*[iter(rgba)] * 4)]


def difference(a, b):
    """Mean difference of two pictures' channels, 0 to 255."""
    return sum(abs((x >> s & 255) - (y >> s & 255)) for x, y in zip(a, b)
               for s in (0, 8, 16, 24)) / (4 * max(1, len(a)))


class InstallTest(unittest.TestCase):
    def assertBelongsToEntry(self, window, root):
        """Docks match a window to the entry whose id or StartupWMClass is its
        class; without an entry they show the window's own icon."""
        entry = next(pathlib.Path(root, "usr/share/applications").glob("*.desktop"))
        keys = dict(line.split("=", 1) for line in entry.read_text().splitlines() if "=" in line)
        names = re.findall(r'"([^"]*)"', run("xprop", "-id", window, "WM_CLASS"))
        self.assertEqual([entry.stem, keys.get("StartupWMClass")], names)  # instance, class
        found = icons(window)
        self.assertTrue(found and min(found)[0] >= 32, "icon sizes %s" % list(found))
        svg = pathlib.Path(root, "usr/share/icons/hicolor/scalable/apps", keys["Icon"] + ".svg")
        for (width, height), argb in found.items():
            self.assertLess(difference(argb, drawing(svg, width, height)), 2, "not the icon")

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
            self.assertEqual(sorted(INSTALLED), tree(unpacked))
            notice = pathlib.Path(ROOT, "LICENSE").read_text().partition("Permission")[2]
            copyright = pathlib.Path(unpacked, "usr/share/doc/quorvel/copyright").read_text()
            self.assertIn(" ".join(notice.split()), " ".join(copyright.replace("\n .\n", "").split()))
            with Game(binary=os.path.join(unpacked, PROGRAM), cwd=elsewhere) as game:
                self.assertLess(flat_share(game.ready()), 0.1, "flat colours: no texture found")
                self.assertBelongsToEntry(game.window, unpacked)

    def test_the_installed_game_finds_its_texture_from_any_folder(self):
        with tempfile.TemporaryDirectory() as stage, tempfile.TemporaryDirectory() as elsewhere:
            subprocess.run(["cmake", "--install", BUILD, "--prefix", "/usr"], check=True,
                           env=dict(os.environ, DESTDIR=stage), capture_output=True, timeout=60)
            self.assertEqual(sorted(INSTALLED), tree(stage))  # and nothing of the tests or tools
            program = pathlib.Path(stage, PROGRAM)
            for binary in (str(program), BINARY):  # installed, and in the build folder
                with self.subTest(binary), Game(binary=binary, cwd=elsewhere) as game:
                    self.assertLess(flat_share(game.ready()), 0.1, "flat colours: no texture")
                    self.assertNotIn("not found", game.output())
                    self.assertBelongsToEntry(game.window, stage)

            looked = [pathlib.Path(elsewhere, "data"), program.parent / "data",
                      pathlib.Path(stage, "usr", "share", "games", "quorvel", "data")]
            (looked[2] / "cube.tga").unlink()
            with Game(binary=str(program), cwd=elsewhere) as game:
                self.assertGreater(flat_share(game.ready()), 0.9, "textured without a texture")
                said = [line for line in game.output().splitlines() if "not found" in line]
            self.assertEqual(1, len(said), said)
            for folder in looked:
                self.assertIn(str(folder / "cube.tga"), said[0])


if __name__ == "__main__":
    main()
