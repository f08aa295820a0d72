// Where the music synthesiser's soundfont comes from.
#pragma once

#include <string>

namespace tavro {

struct SoundFontSearch {
    std::string explicitPath;       // --soundfont; used as given when not empty
    std::string gameFolder;         // a single .sf2 or .sf3 file here comes next
    std::string configuredDefault;  // then the synthesiser's own default, when it exists
    std::string systemFolder = "/usr/share/sounds/sf2";  // then the General MIDI fonts here
};

inline constexpr const char* kNoSoundFontNotice =
    "tavro: no General MIDI soundfont found (give one with --soundfont FILE); "
    "the game runs without music\n";

// The soundfont to load, or empty when none is found.
std::string findSoundFont(const SoundFontSearch& search);

}  // namespace tavro
