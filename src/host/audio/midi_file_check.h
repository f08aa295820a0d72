// Reads a Standard MIDI File through to the end of every track, as the synthesiser will, to
// learn whether it can loop. A song whose tracks all end at tick 0 (an empty track, notes of
// zero length, thousands of empty tracks) would restart at once for ever; a file the
// synthesiser cannot read would be retried for ever. Neither is handed to it.
#pragma once

#include <string_view>

namespace tavro {

enum class MidiSongShape {
    kPlayable,    // it reads through and lasts at least one tick
    kNoLength,    // it reads through but every track ends at tick 0: it plays as silence
    kUnreadable,  // not a Standard MIDI File the synthesiser reads
};

MidiSongShape inspectMidiSong(std::string_view bytes);

}  // namespace tavro
