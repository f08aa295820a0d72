// tavro [OPTIONS] [GAME_DIR]: runs the game in GAME_DIR (or the current directory).
// Exit status: 0 for every normal end, 1 when start-up failed or a syntax error stopped the run,
// 2 for a usage error or a folder that holds no game.
// tavro --check GAME_DIR reports the problems of the game's files instead: 1 when it found any.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "author/new_game.h"
#include "author/steady_clock.h"
#include "author/watch_session.h"
#include "author/web_export.h"
#include "host/audio/host_audio.h"
#include "host/audio/mixer.h"
#include "host/audio/wave_writer.h"
#include "host/compositor/png_writer.h"
#include "host/fonts/ttf_font_renderer.h"
#include "host/headless/headless_audio.h"
#include "host/headless/headless_compositor.h"
#include "host/headless/headless_dialogs.h"
#include "host/headless/headless_display.h"
#include "host/headless/headless_font_renderer.h"
#include "host/headless/virtual_clock.h"
#include "host/input_recorder.h"
#include "host/input_script.h"
#include "host/portable/game_opening.h"
#include "host/screenshot_path.h"
#include "host/sdl/sdl_audio_device.h"
#include "host/sdl/sdl_clock.h"
#include "host/sdl/sdl_dialogs.h"
#include "host/sdl/sdl_display.h"
#include "host/shift_jis.h"
#include "shell/command_line.h"
#include "shell/engine.h"
#include "shell/game_check.h"
#include "shell/game_folder_advice.h"
#include "shell/player_settings.h"
#include "shell/stop_report.h"

namespace {

using namespace tavro;

int usageError(const std::string& error) {
    std::fputs(usageErrorText(error).c_str(), stderr);
    return kExitUsageError;
}

// A newcomer's mistake, said on standard error and, when a window would open on a desktop,
// in a message box too.
void tellNewcomer(const std::string& text, const CommandLineOptions& options) {
    std::fprintf(stderr, "tavro: %s\n", text.c_str());
    if (!options.headless && !options.check) {
        ShowDesktopMessage("Tavro", text.c_str());
    }
}

// Tells a newcomer why a folder runs as an empty game, or holds no game at all: false then,
// and there is nothing to run.
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

// tavro --check: the report on standard output, one line per problem and a summary.
int checkGameFolder(FileSystem& gameFolder) {
    HeadlessCompositor compositor;
    Mixer mixer;
    const GameCheckReport report = checkGame(gameFolder, compositor, mixer);
    for (const CheckProblem& problem : report.problems) {
        std::printf("%s\n", shiftJisToUtf8(problem.format()).c_str());
    }
    std::printf("%s\n", report.summary().c_str());
    return report.clean() ? kExitNormal : kExitCheckFoundProblems;
}

// tavro --new DIR: the game, and how to go on with it.
int newGame(const std::string& directory) {
    if (std::string error; !makeNewGame(directory, error)) {
        std::fprintf(stderr, "tavro: %s\n", error.c_str());
        return kExitStartupFailed;
    }
    std::printf(
        "made a new game in %s: play it with 'tavro %s', check it with 'tavro --check "
        "%s', and read docs/authoring.md to go on\n",
        directory.c_str(), directory.c_str(), directory.c_str());
    return kExitNormal;
}

// The player's settings file, the game folder's [game NAME] section applied, warnings on
// standard error; the volumes given on the command line win.
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

AudioVolumes audioVolumes(const PlayerSettings& player) {
    return AudioVolumes{player.musicVolume, player.effectsVolume};
}

int runEngine(const HostServices& host, const CommandLineOptions& options,
              const PlayerSettings& player) {
    ErrorEcho errorEcho(stderr);
    const EngineOptions engineOptions{options.frameLimit, options.seed, options.fullScreen,
                                      player.controls, &errorEcho};
    if (options.watch) {
        return runWatchedGame(host, engineOptions);
    }
    ScriptEngineGameScripts scripts;
    Engine engine(host, scripts, engineOptions);
    const int status = engine.run();
    std::fputs(syntaxStopReport(engine.state()).c_str(), stderr);
    if (engine.settings().writeAtExit) {
        std::fprintf(stderr, "tavro: %s\n", describeRelease(engine.releaseFiles()).c_str());
    }
    return status;
}

// --record: the engine reads its input through a recorder writing FILE. The seed is fixed
// before the run (from the clock, as the engine would take it) so the file can name it.
int runRecordedEngine(const HostServices& host, CommandLineOptions options,
                      const PlayerSettings& player) {
    if (options.recordPath.empty()) {
        return runEngine(host, options, player);
    }
    std::ofstream file(options.recordPath, std::ios::binary | std::ios::trunc);
    if (!file) {
        std::fprintf(stderr, "tavro: cannot create %s\n", options.recordPath.c_str());
        return kExitStartupFailed;
    }
    if (!options.seed) {
        options.seed = host.clock.milliseconds();
    }
    InputRecorder recorder(host.display, file);
    recorder.writeSeed(*options.seed);
    const int status = runEngine(HostServices{host.clock, recorder, host.dialogs, host.files,
                                              host.compositor, host.audio, host.music, host.fonts},
                                 options, player);
    recorder.writeEnd();
    file.flush();
    if (!file) {
        std::fprintf(stderr, "tavro: writing %s failed\n", options.recordPath.c_str());
    }
    return status;
}

// Print Screen: the last presented frame as a PNG in the player's screenshot folder, its path
// on standard error.
void savePlayerScreenshot(const Compositor& compositor) {
    std::vector<uint32_t> pixels;
    int32_t width = 0, height = 0;
    if (!compositor.readPresentedFrame(pixels, width, height)) {
        return;
    }
    const std::string folder = screenshotFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    std::error_code error;
    if (folder.empty() || (std::filesystem::create_directories(folder, error), error)) {
        std::fprintf(stderr, "tavro: no folder for screenshots (%s)\n",
                     folder.empty() ? "neither XDG_DATA_HOME nor HOME is set" : folder.c_str());
        return;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::string game = std::filesystem::current_path().filename().string();
    std::string path;
    for (int number = 1; path.empty() || std::filesystem::exists(path); ++number) {
        path = folder + "/" + screenshotName(game, local, number);
    }
    if (WritePng(path.c_str(), pixels.data(), width, height)) {
        std::fprintf(stderr, "tavro: screenshot %s\n", path.c_str());
    } else {
        std::fprintf(stderr, "tavro: cannot write the screenshot %s\n", path.c_str());
    }
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

// Where the soundfont is looked for; run from inside the game folder.
SoundFontSearch soundFontSearch(const CommandLineOptions& options) {
    SoundFontSearch search;
    search.explicitPath = options.soundFontPath;
    search.gameFolder = std::filesystem::current_path().string();
    return search;
}

// The real host: a window showing the composed frames, the system clock, message boxes and
// the speakers. Its screenshot is read back from the window. Without an audio device the
// mixer is pulled by the clock instead, so the game runs the same, silent.
int runWithWindow(const CommandLineOptions& options, const PlayerSettings& player,
                  FileSystem& files) {
    SdlClock clock;
    SdlDisplay display(
        WindowScaling{static_cast<int32_t>(options.windowScale),
                      options.integerScale ? FrameScaling::kWholeFactors : FrameScaling::kFit});
    SdlDialogs dialogs;
    PixmanCompositor compositor(&display);
    TtfFontRenderer fonts;
    display.onPrintScreen([&compositor] { savePlayerScreenshot(compositor); });
    if (!options.screenshotPath.empty()) {
        display.keepShownFrames();
    }
    HostAudio audio(soundFontSearch(options), stderr, audioVolumes(player));
    SdlAudioDevice speakers(audio.mixer());
    HeadlessAudio unheard(audio.mixer(), nullptr);
    AudioPullingClock pullingClock(clock, unheard);
    Clock* engineClock = &clock;
    if (const char* error = ""; !speakers.open(error)) {
        std::fprintf(stderr, "tavro: no audio device opens (%s); the game runs without sound\n",
                     error);
        engineClock = &pullingClock;
    }
    const int status =
        runRecordedEngine(HostServices{*engineClock, display, dialogs, files, compositor,
                                       &audio.mixer(), audio.music(), &fonts},
                          options, player);
    speakers.close();
    std::vector<uint32_t> pixels;
    int32_t width = 0, height = 0;
    display.readShownFrame(pixels, width, height);
    writeScreenshot(options.screenshotPath, pixels, width, height);
    return status;
}

// The headless host: no window, the virtual clock pulls the mixer, --audio-out records the mix
// and --screenshot writes the last composed frame.
int runHeadless(const CommandLineOptions& options, const PlayerSettings& player,
                std::vector<InputEvent> input, FileSystem& files, HeadlessFaults& faults) {
    std::optional<WaveWriter> recording;
    if (!options.audioOutPath.empty()) {
        recording.emplace(options.audioOutPath);
        if (!recording->ok()) {
            std::fprintf(stderr, "tavro: cannot create %s\n", options.audioOutPath.c_str());
            return kExitStartupFailed;
        }
    }
    // A watched game runs in real time while its files are edited.
    VirtualClock virtualClock;
    SteadyClock realClock;
    HostAudio audio(soundFontSearch(options), stderr, audioVolumes(player));
    HeadlessAudio pulled(audio.mixer(), recording ? &*recording : nullptr);
    AudioPullingClock clock(options.watch ? static_cast<Clock&>(realClock) : virtualClock, pulled);
    HeadlessDisplay display{ScriptedInput(std::move(input)), &faults};
    HeadlessDialogs dialogs(options.answerYes);
    HeadlessCompositor compositor(&faults);
    HeadlessFontRenderer fonts(&faults);
    const int status = runRecordedEngine(HostServices{clock, display, dialogs, files, compositor,
                                                      &audio.mixer(), audio.music(), &fonts},
                                         options, player);
    if (recording && !recording->finish()) {
        std::fprintf(stderr, "tavro: writing %s failed\n", options.audioOutPath.c_str());
    }
    std::vector<uint32_t> pixels;
    int32_t width = 0, height = 0;
    compositor.readPresentedFrame(pixels, width, height);
    writeScreenshot(options.screenshotPath, pixels, width, height);
    return status;
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
