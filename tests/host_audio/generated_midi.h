// Standard MIDI Files made on the spot for the music tests and benchmarks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tavro {

struct MidiNote {
    uint32_t startTick;
    uint32_t lengthTicks;
    uint8_t channel;
    uint8_t key;
};

inline std::string bigEndianBytes(uint32_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

inline std::string variableLength(uint32_t value) {
    std::string out(1, static_cast<char>(value & 0x7F));
    while (value >>= 7) {
        out.insert(out.begin(), static_cast<char>(0x80 | (value & 0x7F)));
    }
    return out;
}

// A format-0 file at 480 ticks per quarter note and 120 beats per minute (a quarter note is
// half a second). `program` is set on every channel used; the track ends at `endTick`.
inline std::string midiFile(const std::vector<MidiNote>& notes, uint32_t endTick,
                            uint8_t program = 0) {
    struct Event {
        uint32_t tick;
        std::string bytes;
    };
    std::vector<Event> events;
    for (uint8_t channel = 0; channel < 16; ++channel) {
        for (const MidiNote& note : notes) {
            if (note.channel == channel) {
                events.push_back(
                    {0, {static_cast<char>(0xC0 | channel), static_cast<char>(program)}});
                break;
            }
        }
    }
    for (const MidiNote& note : notes) {
        events.push_back(
            {note.startTick,
             {static_cast<char>(0x90 | note.channel), static_cast<char>(note.key), 100}});
        events.push_back(
            {note.startTick + note.lengthTicks,
             {static_cast<char>(0x80 | note.channel), static_cast<char>(note.key), 0}});
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.tick < b.tick; });
    std::string track;
    uint32_t now = 0;
    for (const Event& event : events) {
        track += variableLength(event.tick - now) + event.bytes;
        now = event.tick;
    }
    track += variableLength(endTick - now) + std::string("\xFF\x2F\x00", 3);
    return "MThd" + bigEndianBytes(6, 4) + bigEndianBytes(0, 2) + bigEndianBytes(1, 2) +
           bigEndianBytes(480, 2) + "MTrk" +
           bigEndianBytes(static_cast<uint32_t>(track.size()), 4) + track;
}

// One second: middle C for the first half, then silence.
inline std::string oneNoteSong() {
    return midiFile({{0, 480, 0, 60}}, 960);
}

// A General MIDI piece of sixteen bars: a chord pattern on piano, a bass line and drums on
// channel 10, as a typical game song keeps a handful of voices busy.
inline std::string generalMidiSong() {
    std::vector<MidiNote> notes;
    const uint8_t roots[] = {60, 65, 67, 60};
    for (uint32_t bar = 0; bar < 16; ++bar) {
        const uint8_t root = roots[bar % 4];
        for (uint32_t beat = 0; beat < 4; ++beat) {
            const uint32_t tick = (bar * 4 + beat) * 480;
            for (uint8_t interval : {0, 4, 7}) {
                notes.push_back({tick, 440, 0, static_cast<uint8_t>(root + interval)});
            }
            notes.push_back({tick, 240, 1, static_cast<uint8_t>(root - 24)});
            notes.push_back({tick, 120, 9, beat % 2 == 0 ? uint8_t{36} : uint8_t{38}});
            notes.push_back({tick + 240, 120, 9, 42});
        }
    }
    return midiFile(notes, 16 * 4 * 480);
}

}  // namespace tavro
