// tavro [OPTIONS] [GAME_DIR]: runs the game in GAME_DIR (or the current directory).
// Exit status: 0 for every normal end, 1 when start-up failed or a syntax error stopped the run,
// 2 for a usage error or a folder that holds no game.
// tavro --check GAME_DIR reports the problems of the game's files instead: 1 when it found any.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "author/web_export.h"
#include "host/headless/headless_faults.h"
#include "host/portable/game_opening.h"
#include "host/recorded_input/input_script.h"
#include "launch/author_commands.h"
#include "launch/headless_run.h"
#include "launch/player_start.h"
#include "launch/window_run.h"
#include "shell/command_line.h"

namespace {

using namespace tavro;

int usageError(const std::string& error) {
    std::fputs(usageErrorText(error).c_str(), stderr);
    return kExitUsageError;
}

// Paths given on the command line are relative to where tavro was started.
std::string absolutePath(const std::string& path) {
    return path.empty() ? path : std::filesystem::absolute(path).string();
}

}  // namespace

int main(int argc, char** argv) {
    if (isExportWebCommand(argc, argv)) {
        return exportWebCommand(argc, argv);
    }
    CommandLineParse parse = parseCommandLine(argc, argv);
    if (!parse.ok) {
        return usageError(parse.error);
    }
    CommandLineOptions& options = parse.options;
    if (options.showHelp) {
        std::fputs(helpText().c_str(), stdout);
        return kExitNormal;
    }
    if (options.showVersion) {
        std::fputs(versionText(TAVRO_BUILD_VERSION).c_str(), stdout);
        return kExitNormal;
    }

    if (!options.newGameDirectory.empty()) {
        return newGame(options.newGameDirectory);
    }

    // Test-only faults of the headless host (see tests/games/README.md).
    HeadlessFaults faults;
    if (const char* rules = std::getenv(kHeadlessFaultsVariable); rules != nullptr) {
        std::string error;
        if (!faults.parse(rules, error)) {
            std::fprintf(stderr, "tavro: %s: %s\n", kHeadlessFaultsVariable, error.c_str());
            return kExitUsageError;
        }
    }

    // The input script is named relative to where tavro was started, so read it first.
    InputScriptParse input;
    input.ok = true;
    if (!options.inputPath.empty()) {
        input = readInputScript(options.inputPath);
        if (!input.ok) {
            std::fprintf(stderr, "tavro: %s\n", input.error.c_str());
            return kExitStartupFailed;
        }
    }
    options.screenshotPath = absolutePath(options.screenshotPath);
    options.audioOutPath = absolutePath(options.audioOutPath);
    options.soundFontPath = absolutePath(options.soundFontPath);
    options.recordPath = absolutePath(options.recordPath);
    const std::string folder = options.gameDirectory.empty() ? "." : options.gameDirectory;
    if (std::string error; !checkGameDirectory(folder, error)) {
        tellNewcomer(error, options);
        return kExitUsageError;
    }
    const PlayerSettings player =
        options.check ? PlayerSettings{} : loadPlayerSettings(options, folder);
    OpenedGame game =
        openGame(GameOpening{absolutePath(folder), absolutePath(options.saveDirectory),
                             std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), options.check});
    if (!game.files) {
        tellNewcomer("'" + folder + "' cannot be played: " + game.error, options);
        return kExitStartupFailed;
    }
    if (!game.notice.empty()) {
        std::fprintf(stderr, "tavro: %s\n", game.notice.c_str());
    }
    // An archive's game runs from the folder the archive lies in.
    const std::string workingFolder =
        game.archive ? std::filesystem::absolute(folder).parent_path().string() : folder;
    if (::chdir(workingFolder.c_str()) != 0) {
        tellNewcomer("cannot enter the folder '" + workingFolder + "'", options);
        return kExitUsageError;
    }

    FileSystem& gameFolder = *game.files;
    if (!noteMissingBoot(gameFolder, options)) {
        return kExitUsageError;
    }
    if (options.check) {
        return checkGameFolder(gameFolder);
    }
    return options.headless
               ? runHeadless(options, player, std::move(input.events), gameFolder, faults)
               : runWithWindow(options, player, gameFolder);
}
