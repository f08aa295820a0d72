"""Shared by the file tests: game folders made on the fly and headless runs of tavro on them."""
import os
import subprocess
import tempfile

TAVRO = None  # set by each test's main from its command line
RUN_SECONDS = 60  # a run that takes longer hangs


def sjis(text):
    return text.encode("cp932")


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as file:
        file.write(data if isinstance(data, bytes) else data.encode("cp932"))


def read(path):
    with open(path, "rb") as file:
        return file.read()


def run(arguments, cwd=None, env=None):
    """Runs tavro headless; returns (exit status, standard output, standard error)."""
    done = subprocess.run([TAVRO, "--headless", *arguments], cwd=cwd, env=env,
                          capture_output=True, timeout=RUN_SECONDS)
    return done.returncode, done.stdout.decode(errors="replace"), \
        done.stderr.decode(errors="replace")


def log_lines(game):
    """The texts of the game's errorLog.txt lines, decoded from Shift-JIS."""
    path = os.path.join(game, "errorLog.txt")
    if not os.path.lexists(path):
        return []
    return [line.split(" : ", 1)[1] for line in read(path).decode("cp932").splitlines()]


def temporary_folder(test):
    folder = tempfile.TemporaryDirectory(prefix="tavro-files-")
    test.addCleanup(folder.cleanup)
    return folder.name
