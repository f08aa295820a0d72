#include "host/audio/music_loader.h"

#include <string>

#include "host/audio/fluid_log_capture.h"
#include "host/audio/fluid_music_synth.h"

namespace tavro {

LoadedMusic loadMusic(SoundFontSearch search, std::FILE* notices, float volume) {
    const FluidLogCapture fluidLog;
    search.configuredDefault = FluidMusicSynth::configuredDefaultSoundFont();
    const std::string path = findSoundFont(search);
    if (path.empty()) {
        std::fputs(kNoSoundFontNotice, notices);
        return {};
    }
    auto synth = std::make_unique<FluidMusicSynth>(path, kMusicGain * volume);
    if (!synth->ready()) {
        const std::string& reason = fluidLog.firstError();
        std::fprintf(notices,
                     "tavro: the soundfont %s does not load%s%s; the game runs without music\n",
                     path.c_str(), reason.empty() ? "" : ": ", reason.c_str());
        return {};
    }
    AudioSource* source = synth.get();
    return {std::move(synth), source};
}

}  // namespace tavro
