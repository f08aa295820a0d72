#include "sound/midi_file_check.h"

#include <gtest/gtest.h>

#include "support/file_bytes.h"

namespace tavro {
namespace {

using namespace testing;

std::string endOfTrack(uint32_t delta) {
    return variableLength(delta) + std::string("\xFF\x2F\x00", 3);
}

TEST(MidiFileCheck, TellsPlayableSongsFromSilentAndUnreadableOnes) {
    const std::string song = oneNoteSong();
    const std::string header = song.substr(0, 14);
    const std::string track = song.substr(14);
    const std::string noteOn("\x90\x3C\x64", 3);
    const std::string now(1, '\0');  // a delta of no time
    std::string burst;
    for (int i = 0; i < 1000; ++i) {
        burst += now + noteOn;
    }
    using enum MidiSongShape;
    struct Case {
        const char* name;
        std::string file;
        MidiSongShape shape;
    };
    // The game music_silent plays a playable song, a note of no length, one and thousands of
    // empty tracks, and thousands of notes in one tick.
    // clang-format off
    const Case cases[] = {
        {"unknown chunk before the track", header + "XTRA" + bigEndian(2, 4) + "ab" + track, kPlayable},
        {"only the end of the track lasts", midiTracks({endOfTrack(960)}), kPlayable},
        {"a track without its end", midiTracks({variableLength(10) + noteOn}), kPlayable},
        {"running status after a meta event", midiTracks({now + noteOn + std::string("\x05\xFF\x01\x01" "a" "\x05\x3C\x00", 8) + endOfTrack(1)}), kPlayable},
        {"events after the end", midiTracks({endOfTrack(0) + variableLength(100) + noteOn}), kNoLength},
        {"a tempo of a microsecond a beat", midiTracks({std::string("\x00\xFF\x51\x03\x00\x00\x01", 7) + now + noteOn + endOfTrack(480)}), kTooDense},
        {"the same notes over a second", midiTracks({burst + endOfTrack(960)}), kPlayable},
        {"empty", "", kUnreadable},
        {"random text", "This is not a MIDI file at all", kUnreadable},
        {"header only", header, kUnreadable},
        {"track cut short", song.substr(0, song.size() - 1), kUnreadable},
        {"no tracks", song.substr(0, 10) + bigEndian(0, 2) + song.substr(12), kUnreadable},
        {"format 3", song.substr(0, 8) + bigEndian(3, 2) + song.substr(10), kUnreadable},
        {"header length 4", "MThd" + bigEndian(4, 4) + song.substr(8), kUnreadable},
        {"header length 8", "MThd" + bigEndian(8, 4) + song.substr(8, 6) + "xx" + track, kUnreadable},
        {"track length past the end", header + "MTrk" + bigEndian(0xFFFFFFFF, 4) + track.substr(8), kUnreadable},
        {"SMPTE timing", midiTracks({endOfTrack(480)}, 0xE728), kUnreadable},
        {"data byte without a status", midiTracks({std::string("\x0A\x3C\x64", 3) + endOfTrack(5)}), kUnreadable},
        {"running status after a system exclusive", midiTracks({now + noteOn + std::string("\x05\xF0\x01\xF7\x05\x3C\x00", 7) + endOfTrack(1)}), kUnreadable},
        {"a system common message", midiTracks({std::string("\x05\xF1\x00", 3) + endOfTrack(1)}), kUnreadable},
        {"a tempo of two bytes", midiTracks({std::string("\x00\xFF\x51\x02\x00\x01", 6) + endOfTrack(480)}), kUnreadable},
        {"a delta of five bytes", midiTracks({std::string("\x81\x81\x81\x81\x01", 5) + noteOn + endOfTrack(1)}), kUnreadable},
        {"a meta event cut short", midiTracks({std::string("\x0A\xFF\x51\x7F", 4)}), kUnreadable},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(inspectMidiSong(c.file), c.shape) << c.name;
    }
}

}  // namespace
}  // namespace tavro
