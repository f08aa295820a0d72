// The steps before a game runs that speak to the player: a newcomer's mistake said plainly,
// the folder that holds no game, the player's settings.
#pragma once

#include <string>

#include "host/file_system.h"
#include "shell/command_line.h"
#include "shell/player_settings.h"

namespace tavro {

// Says text on standard error and, when a window would open on a desktop, in a message box too.
void tellNewcomer(const std::string& text, const CommandLineOptions& options);

// Tells a newcomer why a folder runs as an empty game, or holds no game at all: false then, and
// there is nothing to run.
bool noteMissingBoot(FileSystem& gameFolder, const CommandLineOptions& options);

// The player's settings file with the game folder's [game NAME] section applied, warnings on
// standard error; the volumes given on the command line win.
PlayerSettings loadPlayerSettings(const CommandLineOptions& options, const std::string& folder);

}  // namespace tavro
