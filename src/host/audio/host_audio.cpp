#include "host/audio/host_audio.h"

#include <utility>

namespace tavro {

HostAudio::HostAudio(SoundFontSearch search, std::FILE* notices) {
    LoadedMusic music = loadMusic(std::move(search), notices);
    synth_ = std::move(music.synth);
    mixer_.setSource(music.source);
}

HostAudio::~HostAudio() {
    mixer_.setSource(nullptr);
    synth_.reset();
}

}  // namespace tavro
