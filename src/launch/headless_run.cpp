#include "launch/headless_run.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "author/steady_clock.h"
#include "host/audio/wave_writer.h"
#include "host/headless/headless_audio.h"
#include "host/headless/headless_compositor.h"
#include "host/headless/headless_dialogs.h"
#include "host/headless/headless_display.h"
#include "host/headless/headless_font_renderer.h"
#include "host/headless/stop_signals.h"
#include "host/headless/virtual_clock.h"
#include "launch/engine_run.h"
#include "launch/screenshot_files.h"

namespace tavro {

int runHeadless(const CommandLineOptions& options, const PlayerSettings& player,
                std::vector<InputEvent> input, FileSystem& files, HeadlessFaults& faults) {
    catchStopSignals();
    std::optional<WaveWriter> recording;
    if (!options.audioOutPath.empty()) {
        recording.emplace(options.audioOutPath);
        if (!recording->ok()) {
            std::fprintf(stderr, "tavro: cannot create %s\n", options.audioOutPath.c_str());
            return kExitStartupFailed;
        }
    }
    VirtualClock virtualClock;
    SteadyClock realClock;
    HostAudio audio(soundFontSearch(options), stderr, audioVolumes(player));
    HeadlessAudio pulled(audio.mixer(), recording ? &*recording : nullptr);
    AudioPullingClock clock(options.watch ? static_cast<Clock&>(realClock) : virtualClock, pulled);
    HeadlessDisplay display{ScriptedInput(std::move(input)), &faults};
    HeadlessDialogs dialogs(options.answerYes);
    HeadlessCompositor compositor(&faults);
    HeadlessFontRenderer fonts(&faults);
    const int status = runEngineRecorded(HostServices{clock, display, dialogs, files, compositor,
                                                      &audio.mixer(), audio.music(), &fonts},
                                         options, player);
    if (recording && !recording->finish()) {
        std::fprintf(stderr, "tavro: writing %s failed\n", options.audioOutPath.c_str());
    }
    writeScreenshot(options.screenshotPath, [&compositor](auto& pixels, auto& width, auto& height) {
        return compositor.readPresentedFrame(pixels, width, height);
    });
    return status;
}

}  // namespace tavro
