#include "launch/engine_run.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "author/watch_session.h"
#include "host/recorded_input/input_recorder.h"
#include "shell/stop_report.h"
#include "text/error_echo.h"

namespace tavro {

namespace {

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

}  // namespace

// The seed is fixed before a recorded run (from the clock, as the engine would take it) so the
// file can name it.
int runEngineRecorded(const HostServices& host, CommandLineOptions options,
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

SoundFontSearch soundFontSearch(const CommandLineOptions& options) {
    SoundFontSearch search;
    search.explicitPath = options.soundFontPath;
    search.gameFolder = std::filesystem::current_path().string();
    return search;
}

AudioVolumes audioVolumes(const PlayerSettings& player) {
    return AudioVolumes{player.musicVolume, player.effectsVolume};
}

}  // namespace tavro
