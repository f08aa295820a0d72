// A MIDI song rendered ahead of time as the player loops it, for a build without a
// synthesiser: the first pass as it starts, then the passes that follow, each overlapping the
// tail (release and reverb) of the one before. The result holds one pass and that tail: it
// plays once from its start, then loops from `loopStartFrame`, one pass after its end, so the
// join lands where the tail has died away and the song sounds as it does from its second pass
// on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/audio/fluid_music_synth.h"

namespace tavro {

// The longest tail a song may leave past its end before it is cut.
inline constexpr double kLongestSongTailSeconds = 10;
// The longest song rendered (its samples are held in memory while it renders).
inline constexpr double kLongestRenderedSongSeconds = 600;

struct RenderedLoop {
    std::vector<float> stereo;  // interleaved frames at kMixRate
    uint32_t loopStartFrame = 0;
    size_t frames() const { return stereo.size() / 2; }
};

// Renders the song through `synth` (the player's own settings); a song that lasts no tick is
// a moment of silence. False when the song is unreadable or too dense (midi_file_check.h),
// which would not play in the player either, or lasts longer than
// kLongestRenderedSongSeconds.
bool renderMidiLoop(FluidMusicSynth& synth, std::string_view midiFile, bool standardMidiFile,
                    RenderedLoop& loop);

}  // namespace tavro
