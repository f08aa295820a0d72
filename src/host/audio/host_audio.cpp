#include "host/audio/host_audio.h"

#include <string>

#include "host/audio/fluid_log_capture.h"

namespace tavro {

HostAudio::HostAudio(SoundFontSearch search, std::FILE* notices, AudioVolumes volumes) {
    mixer_.setEffectsGain(static_cast<float>(volumes.effects) / 100.0f);
    mixer_.setMusicGain(static_cast<float>(volumes.music) / 100.0f);
    const FluidLogCapture fluidLog;
    search.configuredDefault = FluidMusicSynth::configuredDefaultSoundFont();
    const std::string path = findSoundFont(search);
    if (path.empty()) {
        std::fputs(kNoSoundFontNotice, notices);
        return;
    }
    synth_ = std::make_unique<FluidMusicSynth>(
        path, kMusicGain * static_cast<float>(volumes.music) / 100.0f);
    if (!synth_->ready()) {
        const std::string& reason = fluidLog.firstError();
        std::fprintf(notices,
                     "tavro: the soundfont %s does not load%s%s; the game runs without music\n",
                     path.c_str(), reason.empty() ? "" : ": ", reason.c_str());
        synth_.reset();
        return;
    }
    // Silent music is not even rendered; the songs still start and stop as the game asks.
    if (volumes.music > 0) {
        mixer_.setSource(synth_.get());
    }
}

HostAudio::~HostAudio() {
    mixer_.setSource(nullptr);
    synth_.reset();
}

}  // namespace tavro
