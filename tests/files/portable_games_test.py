"""One game with Shift-JIS names played from wherever it lies: in place, with --save-dir, from a
read-only folder, from two .zip archives (Shift-JIS names without the UTF-8 flag inside a top
folder; UTF-8 names with the flag) and from folders whose names an extractor mangled through
CP437 or CP1252. Each is run twice and must save the same file: the shipped data is read from
the game, the first run's save from the save folder. Bad archives end with exit 1 and a clear
message. Games and archives are made here, never committed.

With --seeds DIR, writes small archives for the archive fuzz target instead."""
import io
import os
import shutil
import subprocess
import sys
import unittest
import zipfile

import game_runs
from game_runs import read, run, sjis, write

SAVE_FOLDER = "セーブ"  # its bytes hold 0x81, which CP1252 leaves undefined
SAVE_NAME = "記録.txt"
GAME = {
    "boot": "SCRIPT={メイン.scr};",
    "メイン.scr": 'load("データ.txt",a);load("セーブ/記録.txt",b);b[0]=b[0]+a[0];'
                 'save("セーブ/記録.txt",b,0);quit();',
    "データ.txt": "5,",  # shipped data
    SAVE_FOLDER + "/readme.txt": "saves",
}
SAVED = b"10"  # after two runs


def cp1252_reading(data):
    """What an extractor reading bytes as CP1252 shows, undefined bytes as Latin-1."""
    return "".join(bytes([b]).decode("cp1252", errors="ignore") or chr(b) for b in data)


def write_game(folder, name_of=lambda name: name):
    for name, text in GAME.items():
        path = "/".join(name_of(part) for part in name.split("/"))
        write(os.path.join(folder, path), sjis(text))


class RawNameInfo(zipfile.ZipInfo):
    """An entry whose name is stored as the given bytes without the UTF-8 flag."""

    def __init__(self, raw_name):
        super().__init__(raw_name.decode("cp437"))

    def _encodeFilenameFlags(self):
        return self.filename.encode("cp437"), self.flag_bits


def make_zip(shift_jis_names, top=""):
    """The game as .zip bytes: Shift-JIS names without the flag, or UTF-8 ones with it."""
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, text in GAME.items():
            if shift_jis_names:
                archive.writestr(RawNameInfo(sjis(top + name)), sjis(text), zipfile.ZIP_DEFLATED)
            else:
                archive.writestr(top + name, sjis(text))
    return buffer.getvalue()


def set_bits(data, offset, value, size):
    return data[:offset] + value.to_bytes(size, "little") + data[offset + size:]


def encrypted(data):
    """The archive with every entry marked as encrypted, local and central headers alike."""
    for signature, flags_at in ((b"PK\x03\x04", 6), (b"PK\x01\x02", 8)):
        at = data.find(signature)
        while at >= 0:
            data = set_bits(data, at + flags_at, data[at + flags_at] | 1, 1)
            at = data.find(signature, at + 4)
    return data


def damaged_directory(data):
    """The first entry's packed size in the directory one more than in its own header."""
    at = data.find(b"PK\x01\x02") + 20
    return set_bits(data, at, int.from_bytes(data[at:at + 4], "little") + 1, 4)


def split_part(data):
    end = data.rfind(b"PK\x05\x06")
    return set_bits(set_bits(data, end + 4, 1, 2), end + 6, 1, 2)


def bomb():
    """600 MB of zeros in one entry: a few hundred kilobytes packed."""
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as archive:
        with archive.open("boot", "w", force_zip64=True) as entry:
            block = bytes(1 << 20)
            for _ in range(600):
                entry.write(block)
    return buffer.getvalue()


def can_bind_mount_read_only():
    return os.geteuid() == 0 and shutil.which("mount") is not None


class PortableGamesTest(unittest.TestCase):
    def setUp(self):
        self.root = game_runs.temporary_folder(self)
        self.env = dict(os.environ, XDG_DATA_HOME=os.path.join(self.root, "xdg"))

    def play_twice(self, arguments):
        errors = ""
        for _ in range(2):
            status, _, more = run(["--frames", "10", *arguments], env=self.env)
            self.assertEqual(status, 0, more)
            errors += more
        return errors

    def player_save(self, game_name):
        saves = os.path.join(self.root, "xdg", "tavro", "saves")
        found = [name for name in os.listdir(saves) if name.startswith(game_name + "-")]
        self.assertEqual(len(found), 1, found)
        return os.path.join(saves, found[0], SAVE_FOLDER, SAVE_NAME)

    def test_in_place(self):
        game = os.path.join(self.root, "game")
        write_game(game)
        self.play_twice([game])
        self.assertEqual(read(os.path.join(game, SAVE_FOLDER, SAVE_NAME)), SAVED)

    def test_save_dir_leaves_the_game_folder_alone(self):
        game, saves = os.path.join(self.root, "game"), os.path.join(self.root, "saves")
        write_game(game)
        before = sorted(os.walk(game))
        self.play_twice(["--save-dir", saves, game])
        self.assertEqual(read(os.path.join(saves, SAVE_FOLDER, SAVE_NAME)), SAVED)
        self.assertEqual(sorted(os.walk(game)), before)
        write(os.path.join(self.root, "file"), "x")
        status, _, errors = run(["--save-dir", os.path.join(self.root, "file"), game])
        self.assertEqual(status, 1)
        self.assertIn("cannot be played: the save folder '", errors)

    def test_read_only_folder_saves_to_the_player_folder(self):
        source, game = os.path.join(self.root, "source"), os.path.join(self.root, "game")
        write_game(source)
        os.makedirs(game)
        if can_bind_mount_read_only() and subprocess.run(
                ["mount", "--bind", "-o", "ro", source, game], capture_output=True).returncode == 0:
            self.addCleanup(subprocess.run, ["umount", game])
        elif os.geteuid() != 0:
            os.rmdir(game)
            shutil.copytree(source, game)
            for folder, _, _ in os.walk(game):
                os.chmod(folder, 0o555)
            self.addCleanup(lambda: [os.chmod(f, 0o755) for f, _, _ in os.walk(game)])
        else:
            self.skipTest("running as root where a read-only bind mount cannot be made")
        errors = self.play_twice([game])
        self.assertIn("the game folder cannot be written; its saves go to ", errors)
        self.assertEqual(read(self.player_save("game")), SAVED)

    def test_archives(self):
        for name, data in [("sjis.zip", make_zip(True, "ゲーム/")), ("utf8.zip", make_zip(False))]:
            with self.subTest(name):
                path = os.path.join(self.root, name)
                write(path, data)
                errors = self.play_twice([path])
                self.assertIn("the game is an archive; its saves go to ", errors)
                self.assertEqual(read(self.player_save(name[:-4])), SAVED)
                self.assertEqual(read(path), data)
                status, output, _ = run(["--check", path])
                self.assertEqual(status, 0, output)

    def test_mangled_folders(self):
        readings = {"cp437": lambda name: sjis(name).decode("cp437"),
                    "cp1252": lambda name: cp1252_reading(sjis(name))}
        for code_page, reading in readings.items():
            with self.subTest(code_page):
                game = os.path.join(self.root, code_page)
                write_game(game, reading)
                self.play_twice([game])
                self.assertEqual(read(os.path.join(game, reading(SAVE_FOLDER), SAVE_NAME)), SAVED)

    def test_bad_archives_end_with_a_clear_message(self):
        good = make_zip(True)
        cases = {
            "truncated": (good[:len(good) // 2], "it is not a zip archive, or it is cut short"),
            "corrupt": (damaged_directory(good), "it is damaged"),
            "encrypted": (encrypted(good), "it is encrypted ('boot')"),
            "split": (split_part(good), "it is one part of a split archive"),
            "bomb": (bomb(), "a zip bomb?"),
        }
        for name, (data, message) in cases.items():
            with self.subTest(name):
                path = os.path.join(self.root, name + ".zip")
                write(path, data)
                for arguments in ([path], ["--check", path]):
                    status, _, errors = run(arguments, env=self.env)
                    self.assertEqual(status, 1, errors)
                    self.assertIn(f"tavro: '{path}' cannot be played: ", errors)
                    self.assertIn(message, errors)


def write_seeds(folder):
    os.makedirs(folder, exist_ok=True)
    for name, data in [("shift_jis_top_folder", make_zip(True, "ゲーム/")),
                       ("utf8_flag", make_zip(False)),
                       ("encrypted", encrypted(make_zip(True)))]:
        write(os.path.join(folder, name + ".zip"), data)


if __name__ == "__main__":
    if sys.argv[1] == "--seeds":
        write_seeds(sys.argv[2])
    else:
        game_runs.TAVRO = sys.argv.pop(1)
        unittest.main()
