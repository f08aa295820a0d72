// What someone new to Tavro is told when the folder it runs holds no game: the game folder
// is the one holding the root task file "boot", and a folder one level above a game is the
// most common mistake, so its sub-folders holding a "boot" are named.
#pragma once

#include <string>

#include "host/file_system.h"

namespace tavro {

// The note for the game folder `files` reads, shown as `folder` (UTF-8): empty when it holds a
// "boot" file or the task bundle a released game runs from.
std::string missingBootNote(FileSystem& files, const std::string& folder);

// Whether the folder holds anything of a game: a "boot" file (readable or not), the task
// bundle, or a ".tsk" file in it or in a folder below it. A folder without any, typically the
// wrong one, is no game to run.
bool looksLikeAGame(FileSystem& files);

}  // namespace tavro
