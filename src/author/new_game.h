// tavro --new DIR: a small runnable game to start from. Its root task draws a generated ball
// that bounces across the window and answers the arrow keys; its settings turn the error log
// on. Every file is plain ASCII, so it is Shift-JIS as the engine reads it, and the game
// passes tavro --check.
#pragma once

#include <string>

namespace tavro {

// Makes DIR (which must not exist, or be an empty folder) and writes the game into it. False,
// with a one-line message, on failure.
bool makeNewGame(const std::string& directory, std::string& error);

}  // namespace tavro
