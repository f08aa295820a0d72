// The MIDI synthesiser of this build: FluidSynth on the desktop (music_loader.cpp); on the
// web, which has no FluidSynth, the songs' renderings made at export (music_loader_web.cpp).
#pragma once

#include <cstdio>
#include <memory>

#include "host/audio/audio_source.h"
#include "host/audio/sound_font_search.h"
#include "host/music_synth.h"

namespace tavro {

struct LoadedMusic {
    std::unique_ptr<MusicSynth> synth;  // null: the run has no music
    AudioSource* source = nullptr;      // the same synthesiser, as the mixer pulls it
};

// Looks for the soundfont and loads it, the synthesiser at `volume` (0 to 1) of its usual
// gain; notices go to `notices`.
LoadedMusic loadMusic(SoundFontSearch search, std::FILE* notices, float volume);

}  // namespace tavro
