#include "host/audio/midi_loop_renderer.h"

#include <algorithm>
#include <cmath>

#include "host/audio/mixer.h"

namespace tavro {

namespace {

// FluidSynth takes events between blocks of this many frames; a pass that lasts whole blocks
// repeats the first exactly, every note at the same place in its block.
constexpr uint64_t kSynthBlockFrames = 64;
// Below one step of 16-bit audio: silence.
constexpr float kSilence = 1.0f / 32768;

uint64_t toFrames(double seconds) {
    return static_cast<uint64_t>(std::llround(seconds * kMixRate));
}

// `frames` frames of the song from its start: once, or passes of `passFrames` one after
// another.
std::vector<float> renderPasses(FluidMusicSynth& synth, const MidiSong& song, bool standardMidiFile,
                                uint64_t passFrames, uint64_t frames, bool repeat) {
    synth.startEvents(standardMidiFile);
    std::vector<uint64_t> eventFrames;
    eventFrames.reserve(song.seconds.size());
    for (const double seconds : song.seconds) {
        eventFrames.push_back(std::min(toFrames(seconds), passFrames - 1));
    }
    std::vector<float> stereo(frames * kMixChannels);
    uint64_t done = 0;
    uint64_t passStart = 0;
    size_t next = 0;
    while (done < frames) {
        uint64_t until = frames;
        if (next < eventFrames.size()) {
            until = std::min(until, passStart + eventFrames[next]);
        }
        while (done < until) {
            const uint64_t block = std::min<uint64_t>(until - done, kSourceBlockFrames);
            synth.render(stereo.data() + done * kMixChannels, static_cast<uint32_t>(block));
            done += block;
        }
        if (next < eventFrames.size() && done == passStart + eventFrames[next]) {
            synth.send(song.events[next]);
            if (++next == eventFrames.size() && repeat) {
                next = 0;
                passStart += passFrames;
            }
        }
    }
    return stereo;
}

// Frames past `from` until the last that is not silence.
uint64_t soundingFramesAfter(const std::vector<float>& stereo, uint64_t from) {
    for (size_t i = stereo.size(); i > from * kMixChannels; --i) {
        if (std::fabs(stereo[i - 1]) > kSilence) {
            return (i - 1) / kMixChannels + 1 - from;
        }
    }
    return 0;
}

}  // namespace

bool renderMidiLoop(FluidMusicSynth& synth, std::string_view midiFile, bool standardMidiFile,
                    RenderedLoop& loop) {
    if (synth.ready() && inspectMidiSong(midiFile) == MidiSongShape::kNoLength) {
        // The player plays it as silence.
        loop.stereo.assign(kSynthBlockFrames * kMixChannels, 0.0f);
        loop.loopStartFrame = 0;
        return true;
    }
    MidiSong song;
    if (!synth.ready() || !readMidiSong(midiFile, song) ||
        song.lengthSeconds > kLongestRenderedSongSeconds) {
        return false;
    }
    const uint64_t blocks = std::max<uint64_t>(
        1, static_cast<uint64_t>(std::llround(song.lengthSeconds * kMixRate / kSynthBlockFrames)));
    const uint64_t passFrames = blocks * kSynthBlockFrames;
    const uint64_t tail =
        soundingFramesAfter(renderPasses(synth, song, standardMidiFile, passFrames,
                                         passFrames + toFrames(kLongestSongTailSeconds), false),
                            passFrames);
    const uint64_t tailFrames =
        (tail + kSynthBlockFrames - 1) / kSynthBlockFrames * kSynthBlockFrames;
    loop.stereo =
        renderPasses(synth, song, standardMidiFile, passFrames, passFrames + tailFrames, true);
    loop.loopStartFrame = static_cast<uint32_t>(tailFrames);
    synth.stop();
    return true;
}

}  // namespace tavro
