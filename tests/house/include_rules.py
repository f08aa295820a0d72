#!/usr/bin/env python3
"""The house rules of src/, read from its #include lines.

The engine (text, platform, render, sound, script, shell) reaches the machine only through the
interfaces in host/*.h and never includes a platform library; text is the bottom layer; the
adapters under host/ never reach up into the engine above sound, nor into launch or author.
With --picture, prints each folder and the folders it includes instead."""
import re
import sys
from pathlib import Path

SRC = Path(__file__).resolve().parents[2] / "src"
ENGINE = {"text", "platform", "render", "sound", "script", "shell"}
LIBRARY_HEADERS = re.compile(r"#include <(SDL|pixman|fluidsynth|zip\.h|fontconfig|ft2build)")
OWN_INCLUDE = re.compile(r'#include "([^"]+)"')
# What each part may include besides itself and the host interfaces.
ALLOWED = {
    "text": set(),
    "platform": {"text"},
    "render": {"text"},
    "sound": {"text"},
    "script": {"text", "platform", "render", "sound"},
    "shell": {"text", "platform", "render", "sound", "script"},
    "host": set(),
    "adapter": {"text", "sound"},
}


def folder_of(path):
    """host/files/x.h -> host/files; host/display.h -> host; text/x.h -> text."""
    parts = Path(path).parts
    return "/".join(parts[:2]) if parts[0] == "host" and len(parts) > 2 else parts[0]


def part_of(folder):
    if folder.startswith("host/"):
        return "adapter"
    return folder


def main():
    picture = {}
    problems = []
    for file in sorted(SRC.rglob("*")):
        if file.suffix not in (".h", ".cpp") or file.parent == SRC:
            continue
        relative = file.relative_to(SRC).as_posix()
        folder = folder_of(relative)
        part = part_of(folder)
        text = file.read_text(encoding="utf-8")
        for included in OWN_INCLUDE.findall(text):
            target = folder_of(included)
            if target != folder:
                picture.setdefault(folder, set()).add(target)
            if part not in ALLOWED or target in (folder, "host"):
                continue
            if part_of(target) == "adapter" and part == "adapter":
                continue  # an adapter may build on another (archive on files)
            if target not in ALLOWED[part]:
                problems.append(f"{relative}: {part} includes {included}")
        if part in ENGINE | {"host"} and LIBRARY_HEADERS.search(text):
            problems.append(f"{relative}: {part} includes a platform library header")
    if "--picture" in sys.argv:
        for folder in sorted(picture):
            print(f"{folder:22} -> {' '.join(sorted(picture[folder]))}")
        return 0
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
