"""The Windows installer under Wine, silent (/S), in a prefix of its own made
afresh. Installed, the game's files, the Start-menu shortcut and the uninstall
entry are there, and the installed game plays when started from another
folder; installed twice and uninstalled once, nothing of it is left. The
uninstaller takes only what was installed: the player's files stay, files the
player deleted are no hindrance. An install into a folder it cannot write
fails and leaves nothing. QUORVEL_SETUP is the installer, QUORVEL_INSTALLER_FILES
the files it packed, QUORVEL_VERSION the version; the rest as test_wine.py."""

import filecmp
import os
import re
import subprocess
import tempfile
import unittest

import test_wine
from harness import tree, wait_until
from test_wine import PREFIX, windows_game

SETUP = os.environ.get("QUORVEL_SETUP", "")
FILES = os.environ.get("QUORVEL_INSTALLER_FILES", "")
KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel"
SHORTCUT = os.path.join(PREFIX, "drive_c", "ProgramData", "Microsoft", "Windows", "Start Menu",
                        "Programs", "Quorvel.lnk")


def unix_path(path):
    """Where a Windows path on C: of the prefix is on this machine."""
    return os.path.join(PREFIX, "drive_c", *path[3:].split("\\"))


def entry():
    """The uninstall entry's values by name; empty without an entry."""
    done = subprocess.run(["wine", "reg", "query", KEY], capture_output=True, timeout=60)
    if done.returncode != 0:
        return {}
    # In the OEM code page: only ASCII values are read back whole.
    text = done.stdout.decode("ascii", "replace").replace("\r", "")
    return dict(re.findall(r"^ +(\w+) +REG_\w+ +(.*)$", text, re.M))


def install(folder=None):
    """Runs the installer silently; its exit status. /D= comes last, unquoted."""
    folder = ["/D=" + folder] if folder else []
    return subprocess.run(["wine", SETUP, "/S"] + folder, timeout=120).returncode


def uninstall(folder):
    """Runs the uninstaller in folder silently, as the entry's quiet uninstall
    command does, and waits for it to end: it returns at once, leaving the work
    to a copy of itself in the temp folder, and that copy removes the entry last."""
    subprocess.run(["wine", folder + r"\uninstall.exe", "/S"], timeout=60)
    if not wait_until(lambda: not entry(), 60, 0.5):
        raise RuntimeError("the uninstaller left its entry")


class InstallTest(test_wine.Player, unittest.TestCase):
    def assertNothingElseLeft(self):
        self.assertFalse(os.path.exists(SHORTCUT), "the shortcut is left")
        self.assertEqual({}, entry(), "the uninstall entry is left")

    def test_installed_twice_it_plays_and_one_uninstall_leaves_nothing(self):
        folder = r"C:\Program Files\Quorvel"
        files, installed = tree(FILES), unix_path(folder)
        for _ in range(2):  # the second over the first
            self.assertEqual(0, install(), "the installer's status")
            self.assertEqual(sorted(files + ["uninstall.exe"]), tree(installed))
            self.assertEqual((files, [], []), filecmp.cmpfiles(FILES, installed, files, False))
            with open(SHORTCUT, "rb") as shortcut:
                self.assertIn((folder + r"\quorvel.exe").encode("utf-16-le"), shortcut.read())
            values = entry()
            expected = {"DisplayName": "Quorvel", "DisplayVersion": os.environ["QUORVEL_VERSION"],
                        "Publisher": "Tarnwick Productions", "InstallLocation": folder,
                        "DisplayIcon": folder + r"\quorvel.exe,0",
                        "UninstallString": '"%s\\uninstall.exe"' % folder,
                        "QuietUninstallString": '"%s\\uninstall.exe" /S' % folder}
            self.assertEqual(expected, {name: values.get(name) for name in expected})
            kb = sum(os.path.getsize(os.path.join(FILES, name)) for name in files) / 1024
            size = int(values["EstimatedSize"], 16)
            self.assertTrue(kb <= size <= kb + len(files), "EstimatedSize %d, %g KB" % (size, kb))
        with tempfile.TemporaryDirectory() as elsewhere:
            with windows_game(folder + r"\quorvel.exe", cwd=elsewhere) as game:
                self.plays(game)
        uninstall(folder)
        self.assertFalse(os.path.exists(installed), "the folder is left")
        self.assertNothingElseLeft()

    def test_uninstall_takes_only_what_it_installed_and_what_is_still_there(self):
        # A name that no single ANSI code page holds.
        folder = "C:\\Spiele-Ärger-ゲーム\\Quorvel"
        players = ["data/board.tga", "notes.txt"]
        for name in players:
            os.makedirs(os.path.dirname(os.path.join(unix_path(folder), name)), exist_ok=True)
            open(os.path.join(unix_path(folder), name), "w").close()
        self.assertEqual(0, install(folder), "the installer's status")
        self.assertEqual(sorted(tree(FILES) + players + ["uninstall.exe"]), tree(unix_path(folder)))
        for name in ("readme.txt", "data/cube.tga"):  # deleted by the player
            os.remove(os.path.join(unix_path(folder), name))
        uninstall(folder)
        self.assertEqual(players, tree(unix_path(folder)))
        self.assertNothingElseLeft()

    def test_install_into_a_folder_it_cannot_write_fails_and_leaves_nothing(self):
        # Z: is the machine's root, and /proc takes no new folder, not even
        # from root. In the other folder, a file of the player's named data
        # stands where the data folder goes: the program is written first.
        blocked = unix_path(r"C:\Blocked\Quorvel")
        os.makedirs(blocked)
        open(os.path.join(blocked, "data"), "w").close()
        for folder in (r"Z:\proc\Quorvel", r"C:\Blocked\Quorvel"):
            self.assertNotEqual(0, install(folder), "the installer's status")
            self.assertNothingElseLeft()
        self.assertEqual(["data"], tree(blocked), "what the failed install wrote is left")


if __name__ == "__main__":
    test_wine.main(SETUP)
