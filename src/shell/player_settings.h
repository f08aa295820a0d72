// Tavro's own settings file, the player's and never the game's: volumes, remapped keys and the
// pad map, in $XDG_CONFIG_HOME/tavro/tavro.ini (~/.config/tavro/tavro.ini without it).
//
//   [audio]            music = 0..100, effects = 0..100 (percent of full amplitude)
//   [keys]             KEY = KEY: the first key acts as the second for the game
//   [pad]              mapping = auto | on | off (pad 1 drives keys: only for a game whose
//                      scripts test no pad, always, never); PAD_INPUT = KEY | none
//   [game NAME]        the same keys with their section in front (audio.music, keys.J,
//                      pad.A), for the game in the folder named NAME only; they win over
//                      the sections above wherever they stand in the file
//
// '#' or ';' starts a comment line, and '#' after a key's '=' a comment to the line's end. Section
// and key names compare without regard to case. Every line that cannot be used is left out with one
// warning; the rest still applies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/player_controls.h"

namespace tavro {

inline constexpr int32_t kFullVolume = 100;
// A larger settings file is not read at all.
inline constexpr size_t kPlayerSettingsMaxBytes = 1 << 20;
// Warnings beyond this many are summed up in one more line.
inline constexpr size_t kPlayerSettingsMaxWarnings = 20;

struct PlayerSettings {
    int32_t musicVolume = kFullVolume;
    int32_t effectsVolume = kFullVolume;
    ControlSettings controls;
};

struct PlayerSettingsRead {
    PlayerSettings settings;
    std::vector<std::string> warnings;  // one line each, without the line feed
};

// The settings in `text` for the game whose folder is named `gameName`; `sourceName` begins
// every warning.
PlayerSettingsRead parsePlayerSettings(std::string_view text, std::string_view sourceName,
                                       std::string_view gameName);
// Reads the file at `path`. A missing file gives the defaults, with a warning only when
// `mustExist` (a file the player named).
PlayerSettingsRead readPlayerSettings(const std::string& path, bool mustExist,
                                      std::string_view gameName);
// Where the settings file is looked for; empty when neither variable is set.
std::string defaultPlayerSettingsPath(const char* configHome, const char* home);

}  // namespace tavro
