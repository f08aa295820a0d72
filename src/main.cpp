// tavro [OPTIONS] [GAME_DIR]: runs the game in GAME_DIR (or the current directory).
// Exit status: 0 for every normal end, 1 when start-up failed, 2 for a usage error.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "host/compositor/png_writer.h"
#include "host/game_folder_file_system.h"
#include "host/headless/headless_compositor.h"
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

// Writes the last presented frame; a run that presented none writes nothing and says so.
void writeScreenshot(const std::string& path, const std::vector<uint32_t>& pixels, int32_t width,
                     int32_t height) {
    if (path.empty()) {
        return;
    }
    if (width == 0) {
        std::fprintf(stderr, "tavro: no frame was presented; %s not written\n", path.c_str());
    } else if (!WritePng(path.c_str(), pixels.data(), width, height)) {
        std::fprintf(stderr, "tavro: cannot write the screenshot %s\n", path.c_str());
    }
}

// The real host: a window showing the composed frames, the system clock and message boxes.
// Its screenshot is read back from the window.
int runWithWindow(const CommandLineOptions& options, FileSystem& files) {
    SdlClock clock;
    SdlDisplay display;
    SdlDialogs dialogs;
    PixmanCompositor compositor(&display);
    if (!options.screenshotPath.empty()) {
        display.keepShownFrames();
    }
    const int status = runEngine(HostServices{clock, display, dialogs, files, compositor}, options);
    std::vector<uint32_t> pixels;
    int32_t width = 0, height = 0;
    display.readShownFrame(pixels, width, height);
    writeScreenshot(options.screenshotPath, pixels, width, height);
    return status;
}

int runHeadless(const CommandLineOptions& options, std::vector<InputEvent> input, FileSystem& files,
                HeadlessFaults& faults) {
    VirtualClock clock;
    HeadlessDisplay display{ScriptedInput(std::move(input)), &faults};
    HeadlessDialogs dialogs(options.answerYes);
    HeadlessCompositor compositor(&faults);
    const int status = runEngine(HostServices{clock, display, dialogs, files, compositor}, options);
    std::vector<uint32_t> pixels;
    int32_t width = 0, height = 0;
    compositor.readPresentedFrame(pixels, width, height);
    writeScreenshot(options.screenshotPath, pixels, width, height);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLineParse parse = parseCommandLine(argc, argv);
    if (!parse.ok) {
        return usageError(parse.error);
    }
    if (parse.options.showHelp) {
        std::fputs(helpText().c_str(), stdout);
        return kExitNormal;
    }
    if (parse.options.showVersion) {
        std::fputs(versionText(TAVRO_BUILD_VERSION).c_str(), stdout);
        return kExitNormal;
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

    // The input script and the screenshot are named relative to where tavro was started, so
    // read the one and place the other first.
    CommandLineOptions options = parse.options;
    if (!options.screenshotPath.empty()) {
        options.screenshotPath = std::filesystem::absolute(options.screenshotPath).string();
    }
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
    if (!options.audioOutPath.empty()) {
        std::fputs("tavro: note: this build plays nothing yet; --audio-out writes no file\n",
                   stderr);
    }

    GameFolderFileSystem gameFolder("");
    noteMissingBoot(gameFolder, options);
    return options.headless ? runHeadless(options, std::move(input.events), gameFolder, faults)
                            : runWithWindow(options, gameFolder);
}
