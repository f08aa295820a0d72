// Fuzz target: any bytes as a WAV file are read, and a file that reads is converted into a
// master buffer and mixed to its end, without crashing, reading out of bounds or allocating
// what a chunk merely claims.
//
// Run from the repository root: scripts/fuzz wave_reader [SECONDS] -max_len=4096

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "host/audio/mixer.h"
#include "sound/wave_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tavro::WaveFile wave;
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    if (tavro::parseWave(file, wave) != tavro::WaveFault::none) {
        return 0;
    }
    tavro::Mixer mixer(1);
    const auto* samples = reinterpret_cast<const uint8_t*>(wave.samples.data());
    const int32_t voice = mixer.createVoice(
        mixer.createMaster(wave.format.pcmFormat(), {samples, wave.samples.size()}));
    if (voice >= 0) {
        mixer.play(voice, false);
        std::vector<float> out(1024 * tavro::kMixChannels);
        while (true) {
            mixer.mix(out.data(), 1024);
            if (!mixer.voicePlaying(voice)) {
                break;
            }
        }
    }
    return 0;
}
