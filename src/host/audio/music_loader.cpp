#include "host/audio/music_loader.h"

#include <string>

#include "host/audio/fluid_music_synth.h"

namespace tavro {

LoadedMusic loadMusic(SoundFontSearch search, std::FILE* notices) {
    search.configuredDefault = FluidMusicSynth::configuredDefaultSoundFont();
    const std::string path = findSoundFont(search);
    if (path.empty()) {
        std::fputs(kNoSoundFontNotice, notices);
        return {};
    }
    auto synth = std::make_unique<FluidMusicSynth>(path);
    if (!synth->ready()) {
        std::fprintf(notices,
                     "tavro: the soundfont %s does not load; the game runs without music\n",
                     path.c_str());
        return {};
    }
    AudioSource* source = synth.get();
    return {std::move(synth), source};
}

}  // namespace tavro
