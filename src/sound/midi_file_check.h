// Reads a Standard MIDI File through to the end of every track, as the synthesiser will, to
// learn whether it can loop. A song whose tracks all end at tick 0 (an empty track, notes of
// zero length, thousands of empty tracks) would restart at once for ever; a file the
// synthesiser cannot read would be retried for ever; a song sending thousands of events in a
// moment would send them again at every loop, each a few milliseconds long. None is handed to
// it, so its work stays bounded in every frame.
#pragma once

#include <string_view>

namespace tavro {

enum class MidiSongShape {
    kPlayable,    // it reads through and lasts at least one tick
    kNoLength,    // it reads through but every track ends at tick 0: it plays as silence
    kTooDense,    // more than kMaxMidiEventsPerSecond on average over its length: refused
    kUnreadable,  // not a Standard MIDI File the synthesiser reads
};

// Far above what any played song sends (a MIDI cable carries about 1 000 events a second).
inline constexpr double kMaxMidiEventsPerSecond = 20000;

MidiSongShape inspectMidiSong(std::string_view bytes);

}  // namespace tavro
