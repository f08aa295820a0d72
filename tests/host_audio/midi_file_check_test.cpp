#include "sound/midi_file_check.h"

#include <gtest/gtest.h>

#include "generated_midi.h"

namespace tavro {
namespace {

// A format-1 file of the given tracks (each without its chunk header) at 480 ticks a beat.
std::string songOfTracks(const std::vector<std::string>& tracks, uint32_t division = 480) {
    std::string file = "MThd" + bigEndianBytes(6, 4) + bigEndianBytes(1, 2) +
                       bigEndianBytes(static_cast<uint32_t>(tracks.size()), 2) +
                       bigEndianBytes(division, 2);
    for (const std::string& track : tracks) {
        file += "MTrk" + bigEndianBytes(static_cast<uint32_t>(track.size()), 4) + track;
    }
    return file;
}

std::string endOfTrack(uint32_t delta) {
    return variableLength(delta) + std::string("\xFF\x2F\x00", 3);
}

TEST(MidiFileCheck, TellsPlayableSongsFromSilentAndUnreadableOnes) {
    const std::string song = oneNoteSong();
    const std::string header = song.substr(0, 14);
    const std::string track = song.substr(14);
    const std::string noteOn("\x90\x3C\x64", 3);
    const std::string noteOff("\x80\x3C\x00", 3);
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
    const Case cases[] = {
        {"generated song", song, kPlayable},
        {"unknown chunk before the track", header + "XTRA" + bigEndianBytes(2, 4) + "ab" + track,
         kPlayable},
        {"only the end of the track lasts", songOfTracks({endOfTrack(960)}), kPlayable},
        {"a track without its end", songOfTracks({variableLength(10) + noteOn}), kPlayable},
        {"running status after a meta event",
         songOfTracks({now + noteOn +
                       std::string("\x05\xFF\x01\x01"
                                   "a"
                                   "\x05\x3C\x00",
                                   8) +
                       endOfTrack(1)}),
         kPlayable},
        {"one empty track", songOfTracks({endOfTrack(0)}), kNoLength},
        {"a note of zero length", songOfTracks({now + noteOn + now + noteOff + endOfTrack(0)}),
         kNoLength},
        {"thousands of empty tracks", songOfTracks(std::vector(5000, endOfTrack(0))), kNoLength},
        {"events after the end", songOfTracks({endOfTrack(0) + variableLength(100) + noteOn}),
         kNoLength},
        {"a thousand notes in one tick", songOfTracks({burst + endOfTrack(1)}), kTooDense},
        {"a tempo of a microsecond a beat",
         songOfTracks(
             {std::string("\x00\xFF\x51\x03\x00\x00\x01", 7) + now + noteOn + endOfTrack(480)}),
         kTooDense},
        {"the same notes over a second", songOfTracks({burst + endOfTrack(960)}), kPlayable},
        {"empty", "", kUnreadable},
        {"random text", "This is not a MIDI file at all", kUnreadable},
        {"header only", header, kUnreadable},
        {"track cut short", song.substr(0, song.size() - 1), kUnreadable},
        {"no tracks", song.substr(0, 10) + bigEndianBytes(0, 2) + song.substr(12), kUnreadable},
        {"format 3", song.substr(0, 8) + bigEndianBytes(3, 2) + song.substr(10), kUnreadable},
        {"header length 4", "MThd" + bigEndianBytes(4, 4) + song.substr(8), kUnreadable},
        {"header length 8", "MThd" + bigEndianBytes(8, 4) + song.substr(8, 6) + "xx" + track,
         kUnreadable},
        {"track length past the end",
         header + "MTrk" + bigEndianBytes(0xFFFFFFFF, 4) + track.substr(8), kUnreadable},
        {"SMPTE timing", songOfTracks({endOfTrack(480)}, 0xE728), kUnreadable},
        {"data byte without a status",
         songOfTracks({std::string("\x0A\x3C\x64", 3) + endOfTrack(5)}), kUnreadable},
        {"running status after a system exclusive",
         songOfTracks(
             {now + noteOn + std::string("\x05\xF0\x01\xF7\x05\x3C\x00", 7) + endOfTrack(1)}),
         kUnreadable},
        {"a system common message", songOfTracks({std::string("\x05\xF1\x00", 3) + endOfTrack(1)}),
         kUnreadable},
        {"a tempo of two bytes",
         songOfTracks({std::string("\x00\xFF\x51\x02\x00\x01", 6) + endOfTrack(480)}), kUnreadable},
        {"a delta of five bytes",
         songOfTracks({std::string("\x81\x81\x81\x81\x01", 5) + noteOn + endOfTrack(1)}),
         kUnreadable},
        {"a meta event cut short", songOfTracks({std::string("\x0A\xFF\x51\x7F", 4)}), kUnreadable},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(inspectMidiSong(c.file), c.shape) << c.name;
    }
}

}  // namespace
}  // namespace tavro
