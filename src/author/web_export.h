// tavro --export-web GAME_DIR OUT_DIR [--web-build DIR] [--soundfont FILE]: the game as a web
// page in OUT_DIR, served as it is by any static web server. The game is checked first: a
// syntax error, which would stop it, refuses the export; other problems are shown and the
// export goes on. OUT_DIR gets the web build's index.html, tavro.js and tavro.wasm; game.zip,
// the game's files with each MIDI song rendered beside it as "<song>.ogg"; and font.ttf, IPA
// Gothic cut down to the characters the game can show. OUT_DIR must be new or empty.
#pragma once

namespace tavro {

// Whether the command line asks for the export.
bool isExportWebCommand(int argc, const char* const* argv);
// Runs the export; the process's exit status.
int exportWebCommand(int argc, const char* const* argv);

}  // namespace tavro
