// The audio figures: the share of one core that mixing 64 voices takes, the same for the
// music synthesiser playing a General MIDI song, and the time from starting a song to its
// first sounding sample. "core_%" is CPU time per second of audio, in percent.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "host/audio/fluid_music_synth.h"
#include "host/audio/mixer.h"
#include "host/audio/sound_font_search.h"
#include "support/file_bytes.h"

namespace tavro {
namespace {

using namespace testing;

constexpr uint32_t kBlockFrames = 512;  // one pull of the SDL device

// CPU time per second of audio, in percent, over all iterations of one block each.
benchmark::Counter coreShare() {
    constexpr double kBlockSeconds = static_cast<double>(kBlockFrames) / kMixRate;
    return benchmark::Counter(kBlockSeconds / 100.0, benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

std::unique_ptr<FluidMusicSynth> loadSynth(benchmark::State& state) {
    const std::string soundFont =
        findSoundFont({"", "", FluidMusicSynth::configuredDefaultSoundFont()});
    auto synth = std::make_unique<FluidMusicSynth>(soundFont);
    if (!synth->ready()) {
        state.SkipWithError("no General MIDI soundfont installed");
        return nullptr;
    }
    return synth;
}

void BM_Mix64Voices(benchmark::State& state) {
    Mixer mixer;
    // Sixty-four different effects at the file rates games use, all playing at once.
    const uint32_t rates[] = {11025, 22050, 44100, 48000};
    for (int i = 0; i < 64; ++i) {
        const uint32_t rate = rates[i % 4];
        const int32_t master = mixer.createMaster(pcmFormat(i % 2 + 1, rate, 16),
                                                  sinePcm16(110.0 + 10 * i, rate, rate * 4));
        mixer.play(mixer.createVoice(master), true);
    }
    std::vector<float> out(kBlockFrames * kMixChannels);
    for (auto _ : state) {
        mixer.mix(out.data(), kBlockFrames);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["core_%"] = coreShare();
}
BENCHMARK(BM_Mix64Voices);

void BM_MusicSynthSong(benchmark::State& state) {
    auto synth = loadSynth(state);
    if (!synth) {
        return;
    }
    synth->play(generalMidiSong(), true);
    std::vector<float> out(kBlockFrames * kMixChannels);
    for (auto _ : state) {
        synth->render(out.data(), kBlockFrames);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["core_%"] = coreShare();
}
BENCHMARK(BM_MusicSynthSong);

// From the start of a song, with the soundfont loaded, until a rendered sample is not zero.
void BM_PlayToFirstSample(benchmark::State& state) {
    auto synth = loadSynth(state);
    if (!synth) {
        return;
    }
    const std::string song = generalMidiSong();
    constexpr uint32_t kSmallBlock = 64;
    std::vector<float> out(kSmallBlock * kMixChannels);
    for (auto _ : state) {
        synth->play(song, true);
        bool sounding = false;
        for (int blocks = 0; !sounding && blocks < 1000; ++blocks) {
            synth->render(out.data(), kSmallBlock);
            sounding = std::any_of(out.begin(), out.end(), [](float s) { return s != 0.0f; });
        }
        if (!sounding) {
            state.SkipWithError("the song never sounded");
            break;
        }
    }
}
BENCHMARK(BM_PlayToFirstSample)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavro
