#include "host/audio/midi_file_check.h"

#include <gtest/gtest.h>

#include "generated_midi.h"

namespace tavro {
namespace {

TEST(MidiFileCheck, AcceptsWellFormedFilesAndRefusesBrokenOnes) {
    const std::string song = oneNoteSong();
    const std::string header = song.substr(0, 14);
    const std::string track = song.substr(14);
    struct Case {
        const char* name;
        std::string file;
        bool accepted;
    };
    const Case cases[] = {
        {"generated song", song, true},
        {"unknown chunk before the track", header + "XTRA" + bigEndianBytes(2, 4) + "ab" + track,
         true},
        {"empty", "", false},
        {"random text", "This is not a MIDI file at all", false},
        {"header only", header, false},
        {"track cut short", song.substr(0, song.size() - 1), false},
        {"no tracks", song.substr(0, 10) + bigEndianBytes(0, 2) + song.substr(12), false},
        {"format 3", song.substr(0, 8) + bigEndianBytes(3, 2) + song.substr(10), false},
        {"header length 4", "MThd" + bigEndianBytes(4, 4) + song.substr(8), false},
        {"track length past the end",
         header + "MTrk" + bigEndianBytes(0xFFFFFFFF, 4) + track.substr(8), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(looksLikeStandardMidiFile(c.file), c.accepted) << c.name;
    }
}

}  // namespace
}  // namespace tavro
