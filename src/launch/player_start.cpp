#include "launch/player_start.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "host/sdl/sdl_dialogs.h"
#include "shell/game_folder_advice.h"

namespace tavro {

void tellNewcomer(const std::string& text, const CommandLineOptions& options) {
    std::fprintf(stderr, "tavro: %s\n", text.c_str());
    if (!options.headless && !options.check) {
        ShowDesktopMessage("Tavro", text.c_str());
    }
}

bool noteMissingBoot(FileSystem& gameFolder, const CommandLineOptions& options) {
    const std::string folder = options.gameDirectory.empty()
                                   ? std::filesystem::current_path().string()
                                   : options.gameDirectory;
    std::string note = missingBootNote(gameFolder, folder);
    if (note.empty()) {
        return true;
    }
    const bool runnable = options.check || looksLikeAGame(gameFolder);
    if (runnable && !options.check) {
        note += "; the game runs with nothing in it";
        note += options.frameLimit == 0 ? " until it is stopped (see --frames)" : "";
    }
    tellNewcomer(note, options);
    return runnable;
}

PlayerSettings loadPlayerSettings(const CommandLineOptions& options, const std::string& folder) {
    const std::string path =
        options.settingsPath.empty()
            ? defaultPlayerSettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"))
            : options.settingsPath;
    PlayerSettingsRead read;
    if (!path.empty()) {
        std::error_code error;
        const std::filesystem::path game = std::filesystem::canonical(folder, error);
        read = readPlayerSettings(path, !options.settingsPath.empty(), game.filename().string());
    }
    for (const std::string& warning : read.warnings) {
        std::fprintf(stderr, "tavro: %s\n", warning.c_str());
    }
    read.settings.musicVolume = options.musicVolume.value_or(read.settings.musicVolume);
    read.settings.effectsVolume = options.effectsVolume.value_or(read.settings.effectsVolume);
    return read.settings;
}

}  // namespace tavro
