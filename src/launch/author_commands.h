// The commands for game authors that run no game: --check and --new.
#pragma once

#include <string>

#include "host/file_system.h"

namespace tavro {

// tavro --check: the report on standard output, one line per problem and a summary; the exit
// status says whether it found any.
int checkGameFolder(FileSystem& gameFolder);

// tavro --new DIR: makes the game and says how to go on with it.
int newGame(const std::string& directory);

}  // namespace tavro
