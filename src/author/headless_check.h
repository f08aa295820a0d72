// The check of a game's files (--check, and before --export-web) with a headless compositor and
// a silent mixer, its problems told one per line in UTF-8.
#pragma once

#include <cstdio>

#include "host/file_system.h"
#include "shell/game_check.h"

namespace tavro {

// Checks the game and writes each problem to out; the caller tells the summary.
GameCheckReport checkGameTelling(FileSystem& gameFolder, std::FILE* out);

}  // namespace tavro
