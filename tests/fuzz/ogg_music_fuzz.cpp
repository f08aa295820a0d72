// Fuzz target: any bytes as a song rendered for the web are played through its end and round
// its loop a few times, without crashing or reading out of bounds (a dropped .zip brings its
// own files).
//
// Run from the repository root: scripts/fuzz ogg_music [SECONDS] -max_len=16384

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "host/audio/mixer.h"
#include "host/audio/ogg_loop_music.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tavro::OggLoopMusic music;
    if (music.play(std::string_view(reinterpret_cast<const char*>(data), size), true)) {
        std::vector<float> out(tavro::kSourceBlockFrames * tavro::kMixChannels);
        for (int32_t block = 0; block < 64; ++block) {
            music.render(out.data(), tavro::kSourceBlockFrames);
        }
    }
    return 0;
}
