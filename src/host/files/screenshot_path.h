// Where the player's screenshots go: $XDG_DATA_HOME/tavro/screenshots/, or
// ~/.local/share/tavro/screenshots/ when XDG_DATA_HOME is unset, empty or not absolute, each
// named after the game folder and the local time.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace tavro {

// Tavro's own data folder, $XDG_DATA_HOME/tavro or ~/.local/share/tavro, from the two
// environment values (either may be null); empty when neither gives an absolute folder.
std::string tavroDataFolder(const char* xdgDataHome, const char* home);
// Its "screenshots" folder; empty as above.
std::string screenshotFolder(const char* xdgDataHome, const char* home);

// "GAME-YYYYMMDD-HHMMSS.png", or with "-2", "-3" … before ".png" for the Nth shot of the same
// second (number 1 has none). A game folder without a name is called "tavro".
std::string screenshotName(std::string_view gameFolderName, const std::tm& time, int number);

}  // namespace tavro
