#include "host/audio/music_loader.h"

namespace tavro {

LoadedMusic loadMusic(SoundFontSearch, std::FILE* notices, float) {
    std::fputs("tavro: this build has no MIDI synthesiser; the game runs without music\n", notices);
    return {};
}

}  // namespace tavro
