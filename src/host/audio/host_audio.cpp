#include "host/audio/host_audio.h"

#include <utility>

namespace tavro {

HostAudio::HostAudio(SoundFontSearch search, std::FILE* notices, AudioVolumes volumes) {
    mixer_.setEffectsGain(static_cast<float>(volumes.effects) / 100.0f);
    mixer_.setMusicGain(static_cast<float>(volumes.music) / 100.0f);
    LoadedMusic music =
        loadMusic(std::move(search), notices, static_cast<float>(volumes.music) / 100.0f);
    synth_ = std::move(music.synth);
    // Silent music is not even rendered; the songs still start and stop as the game asks.
    if (volumes.music > 0) {
        mixer_.setSource(music.source);
    }
}

HostAudio::~HostAudio() {
    mixer_.setSource(nullptr);
    synth_.reset();
}

}  // namespace tavro
