// tavro [OPTIONS] [GAME_DIR]: runs the game in GAME_DIR (or the current directory).
// Exit status: 0 for every normal end, 1 when start-up failed, 2 for a usage error.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "host/game_folder_file_system.h"
#include "host/headless/headless_dialogs.h"
#include "host/headless/headless_display.h"
#include "host/headless/virtual_clock.h"
#include "host/input_script.h"
#include "host/sdl/sdl_clock.h"
#include "host/sdl/sdl_dialogs.h"
#include "host/sdl/sdl_display.h"
#include "shell/command_line.h"
#include "shell/engine.h"

namespace {

using namespace tavro;

int usageError(const std::string& error) {
    std::fputs(usageErrorText(error).c_str(), stderr);
    return kExitUsageError;
}

// Tells a newcomer why a folder runs as an empty game.
void noteMissingBoot(const GameFolderFileSystem& gameFolder, const CommandLineOptions& options) {
    if (gameFolder.hasFile(kBootTaskName) || gameFolder.hasFile("package.tsk")) {
        return;
    }
    const std::string folder = options.gameDirectory.empty() ? "." : options.gameDirectory;
    std::fprintf(
        stderr, "tavro: note: %s has no \"boot\" task file; the game runs with nothing in it%s\n",
        folder.c_str(), options.frameLimit == 0 ? " until it is stopped (see --frames)" : "");
}

int runEngine(const HostServices& host, const CommandLineOptions& options) {
    ScriptEngineGameScripts scripts;
    Engine engine(host, scripts, EngineOptions{options.frameLimit, options.seed});
    return engine.run();
}

// The real host: a window, the system clock and message boxes.
int runWithWindow(const CommandLineOptions& options, FileSystem& files) {
    SdlClock clock;
    SdlDisplay display;
    SdlDialogs dialogs;
    return runEngine(HostServices{clock, display, dialogs, files}, options);
}

int runHeadless(const CommandLineOptions& options, std::vector<InputEvent> input,
                FileSystem& files) {
    VirtualClock clock;
    HeadlessDisplay display{ScriptedInput(std::move(input))};
    HeadlessDialogs dialogs(options.answerYes);
    return runEngine(HostServices{clock, display, dialogs, files}, options);
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLineParse parse = parseCommandLine(argc, argv);
    if (!parse.ok) {
        return usageError(parse.error);
    }
    const CommandLineOptions& options = parse.options;
    if (options.showHelp) {
        std::fputs(helpText().c_str(), stdout);
        return kExitNormal;
    }
    if (options.showVersion) {
        std::fputs(versionText(TAVRO_BUILD_VERSION).c_str(), stdout);
        return kExitNormal;
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
    if (!options.gameDirectory.empty()) {
        std::string error;
        if (!checkGameDirectory(options.gameDirectory, error)) {
            return usageError(error);
        }
        if (::chdir(options.gameDirectory.c_str()) != 0) {
            return usageError("cannot enter the game folder " + options.gameDirectory);
        }
    }
    if (!options.screenshotPath.empty() || !options.audioOutPath.empty()) {
        std::fputs(
            "tavro: note: this build draws and plays nothing yet; --screenshot and "
            "--audio-out write no file\n",
            stderr);
    }

    GameFolderFileSystem gameFolder("");
    noteMissingBoot(gameFolder, options);
    return options.headless ? runHeadless(options, std::move(input.events), gameFolder)
                            : runWithWindow(options, gameFolder);
}
