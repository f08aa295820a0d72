#include "launch/window_run.h"

#include <cstdio>

#include "host/compositor/pixman_compositor.h"
#include "host/fonts/ttf_font_renderer.h"
#include "host/headless/headless_audio.h"
#include "host/sdl/sdl_audio_device.h"
#include "host/sdl/sdl_clock.h"
#include "host/sdl/sdl_dialogs.h"
#include "host/sdl/sdl_display.h"
#include "launch/engine_run.h"
#include "launch/screenshot_files.h"

namespace tavro {

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
        runEngineRecorded(HostServices{*engineClock, display, dialogs, files, compositor,
                                       &audio.mixer(), audio.music(), &fonts},
                          options, player);
    speakers.close();
    writeScreenshot(options.screenshotPath, [&display](auto& pixels, auto& width, auto& height) {
        return display.readShownFrame(pixels, width, height);
    });
    return status;
}

}  // namespace tavro
