// Reads a Standard MIDI File through to the end of every track, as the synthesiser will, to
// learn whether it can loop. A song whose tracks all end at tick 0 (an empty track, notes of
// zero length, thousands of empty tracks) would restart at once for ever; a file the
// synthesiser cannot read would be retried for ever; a song sending thousands of events in a
// moment would send them again at every loop, each a few milliseconds long. None is handed to
// it, so its work stays bounded in every frame.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

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

struct TempoChange {
    int64_t tick;
    uint32_t microsecondsPerQuarter;
};

// A channel or system exclusive event; `data` follows the status byte in the file (for a
// system exclusive event, the bytes after its length).
struct MidiEvent {
    int64_t tick;
    uint8_t status;
    std::string_view data;
};

// A playable song's events in the order they sound, each at its time from the start.
struct MidiSong {
    std::vector<MidiEvent> events;  // views into the file's bytes
    std::vector<double> seconds;    // one per event
    double lengthSeconds = 0;       // to the end of the longest track: one pass of its loop
};

// Reads a song inspectMidiSong calls playable; false for any other.
bool readMidiSong(std::string_view bytes, MidiSong& song);

}  // namespace tavro
