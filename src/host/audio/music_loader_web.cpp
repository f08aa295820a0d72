#include "host/audio/music_loader.h"

#include "host/audio/ogg_loop_music.h"

namespace tavro {

// Without a MIDI synthesiser, each song plays from its rendering made at export.
LoadedMusic loadMusic(SoundFontSearch, std::FILE*, float volume) {
    auto music = std::make_unique<OggLoopMusic>(volume);
    AudioSource* source = music.get();
    return {std::move(music), source};
}

}  // namespace tavro
