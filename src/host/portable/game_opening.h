// Opens a game wherever it lies: a game folder, writable or not, or a .zip archive, with its
// saves in the game folder, in --save-dir, or in the player's own save folder
// $XDG_DATA_HOME/tavro/saves/NAME-HASH/ when the game cannot be written.
#pragma once

#include <memory>
#include <string>

#include "host/file_system.h"

namespace tavro {

struct GameOpening {
    std::string game;                   // the game folder or .zip, absolute
    std::string saveFolder;             // --save-dir, absolute; empty: none given
    const char* xdgDataHome = nullptr;  // the environment's values, either may be null
    const char* home = nullptr;
    bool check = false;  // --check: nothing is written, so no save folder is made or named
};

struct OpenedGame {
    std::unique_ptr<FileSystem> files;  // null when the game cannot be played
    std::string error;     // why not, one line: a bad archive, a --save-dir that cannot be made
    std::string notice;    // where the saves go when that is not the game folder
    bool archive = false;  // the game is an archive file, not a folder
};

// The player's save folder for a game: DATA/saves/NAME-HASH, NAME the game's folder or archive
// name (without ".zip"), HASH 16 hex digits of a hash of its absolute path, so two games of
// one name never share saves. Empty when there is no data folder.
std::string playerSaveFolder(const std::string& game, const char* xdgDataHome, const char* home);

OpenedGame openGame(const GameOpening& opening);

}  // namespace tavro
