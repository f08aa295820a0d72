"""Hostile game folders: links that would lead writes outside, special files that would block a
read, files too large to read. Every run must end within its frames, exit normally and keep
everything outside the game folder as it was. The folders are made here, never committed."""
import os
import sys
import unittest

import game_runs
from game_runs import log_lines, read, run, write

OPEN_FAILED = "ファイルオープン失敗 ["


class HostileFilesTest(unittest.TestCase):
    def setUp(self):
        self.root = game_runs.temporary_folder(self)
        self.game = os.path.join(self.root, "game")
        os.makedirs(self.game)
        write(os.path.join(self.game, "init"), "errorReport=true;")

    def make_game(self, script, task="SCRIPT={main.scr};"):
        write(os.path.join(self.game, "boot"), task)
        write(os.path.join(self.game, "main.scr"), script)

    def test_writes_never_follow_links(self):
        outside = os.path.join(self.root, "outside")
        os.makedirs(outside)
        write(os.path.join(outside, "victim.txt"), "keep")
        write(os.path.join(outside, "log.txt"), "keep")
        os.symlink(outside, os.path.join(self.game, "out"))
        os.symlink(os.path.join(outside, "victim.txt"), os.path.join(self.game, "link.txt"))
        self.make_game('a[0]=7;save("out/x.txt",a,0);save("out/../y.txt",a,0);'
                       'save("link.txt",a,0);save("out\\\\victim.txt",a,1);quit();')
        status, _, _ = run(["--frames", "5", self.game])
        self.assertEqual(status, 0)
        self.assertEqual(sorted(os.listdir(outside)), ["log.txt", "victim.txt"])
        self.assertEqual(read(os.path.join(outside, "victim.txt")), b"keep")
        self.assertFalse(os.path.exists(os.path.join(self.root, "y.txt")))
        self.assertEqual(read(os.path.join(self.game, "y.txt")), b"7")
        self.assertIn(OPEN_FAILED + "link.txt] -wb", log_lines(self.game))
        # A log that is a link to an outside file is neither emptied nor appended to.
        os.remove(os.path.join(self.game, "errorLog.txt"))
        os.symlink(os.path.join(outside, "log.txt"), os.path.join(self.game, "errorLog.txt"))
        status, _, _ = run(["--frames", "5", self.game])
        self.assertEqual(status, 0)
        self.assertEqual(read(os.path.join(outside, "log.txt")), b"keep")

    def test_special_files_are_missing_and_never_block(self):
        os.mkfifo(os.path.join(self.game, "fifo.txt"))
        os.mkfifo(os.path.join(self.game, "fifo.png"))
        os.symlink("/dev/zero", os.path.join(self.game, "zero.txt"))
        os.makedirs(os.path.join(self.game, "folder"))
        self.make_game('load("fifo.txt",a);load("zero.txt",a);load("folder",a);'
                       'draw(img,0,0,1,1);', "IMAGE={img,fifo.png};SCRIPT={main.scr};")
        status, _, errors = run(["--frames", "5", self.game])
        self.assertEqual(status, 0)
        lines = log_lines(self.game)
        for name in ["fifo.txt", "zero.txt", "folder"]:
            self.assertIn(OPEN_FAILED + name + "] -rb", lines)
        self.assertIn("tavro: 'fifo.png' is not read: it is not a regular file", errors)

    def test_a_fifo_named_boot_is_a_boot_that_cannot_be_read(self):
        os.mkfifo(os.path.join(self.game, "boot"))
        for arguments in (["--frames", "3"], ["--check"]):
            status, _, errors = run(arguments + [self.game])
            self.assertIn(status, (0, 1), arguments)
            self.assertIn('the "boot" file in', errors, arguments)
        # The run itself shows the engine's message that the boot task cannot be loaded.
        self.assertIn("[report] bootタスクをロードできません。", run(["--frames", "3", self.game])[2])

    def test_huge_files_are_refused_before_they_are_read(self):
        for name, size in [("huge.png", 64 << 30), ("big.txt", 100 << 20)]:
            with open(os.path.join(self.game, name), "wb") as file:
                file.truncate(size)  # sparse: nothing of it is on the disk
        self.make_game('load("big.txt",a);draw(img,0,0,1,1);',
                       "IMAGE={img,huge.png};SCRIPT={main.scr};")
        for arguments in (["--frames", "5"], ["--check"]):
            status, _, errors = run(arguments + [self.game])
            self.assertIn(status, (0, 1), arguments)
            self.assertIn("tavro: 'huge.png' is not read: it has 68719476736 bytes, more than the "
                          "256 MB an image may have", errors)
        self.assertIn(OPEN_FAILED + "big.txt] -rb", log_lines(self.game))
        # Settings of 2 GB: the game runs with the defaults.
        with open(os.path.join(self.game, "init"), "wb") as file:
            file.truncate(2 << 30)
        status, _, errors = run(["--frames", "3", self.game])
        self.assertEqual(status, 0)
        self.assertIn("'init' is not read: it has 2147483648 bytes, more than the 64 MB a text "
                      "file may have", errors)


if __name__ == "__main__":
    game_runs.TAVRO = sys.argv.pop(1)
    unittest.main()
