// The game of a web export: its files read from its folder, its MIDI songs rendered beside
// them, all written as one .zip the page loads.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tavro {

struct GameFile {
    std::string name;  // relative to the game folder, '/' between folders
    std::string bytes;
};

// Every regular file below `folder` but hidden ones (a name starting with '.'), in name order;
// false, with a one-line error.
bool readGameFiles(const std::filesystem::path& folder, std::vector<GameFile>& files,
                   std::string& error);

struct RenderedSongs {
    std::vector<GameFile> songs;        // "<song>.ogg" for each song rendered
    std::vector<std::string> warnings;  // songs left out, and why
    uint64_t bytes = 0;
};

// Renders every MIDI song among `files` (a file that starts as a Standard MIDI File does) as
// the player loops it, with the soundfont at `soundFont`, to Ogg Vorbis.
RenderedSongs renderSongs(const std::vector<GameFile>& files, const std::string& soundFont);

// Writes the files as a .zip at `path` (compressed, except Ogg files); false, with a one-line
// error.
bool writeGameArchive(const std::string& path, const std::vector<GameFile>& files,
                      std::string& error);

}  // namespace tavro
