// The bytes of the files tests feed the engine, made on the spot: integers in either byte
// order, RIFF/WAVE files and PCM samples, Standard MIDI Files, and BMP and PNG images.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/audio_output.h"

namespace tavro::testing {

inline std::string littleEndian(uint64_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

inline std::string bigEndian(uint64_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

// A RIFF chunk with its header; an odd payload gets the pad byte unless `claimedSize`
// overrides the size field (then nothing is padded).
inline std::string chunk(std::string_view id, std::string_view payload, int64_t claimedSize = -1) {
    const uint64_t size = claimedSize < 0 ? payload.size() : static_cast<uint64_t>(claimedSize);
    std::string out = std::string(id) + littleEndian(size, 4) + std::string(payload);
    if (claimedSize < 0 && payload.size() % 2 == 1) {
        out += '\0';
    }
    return out;
}

inline std::string riff(std::string_view form, std::string_view body) {
    return chunk("RIFF", std::string(form) + std::string(body));
}

// A "fmt " payload: the 16-byte PCM record, block align and byte rate derived unless given.
inline std::string formatRecord(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag = 1,
                                int blockAlign = -1) {
    const auto align = static_cast<uint16_t>(blockAlign < 0 ? channels * bits / 8 : blockAlign);
    return littleEndian(tag, 2) + littleEndian(channels, 2) + littleEndian(rate, 4) +
           littleEndian(uint64_t{rate} * align, 4) + littleEndian(align, 2) + littleEndian(bits, 2);
}

inline PcmFormat pcmFormat(uint16_t channels, uint32_t rate, uint16_t bits) {
    return {1, channels, rate, static_cast<uint16_t>(channels * bits / 8), bits};
}

// 16-bit little-endian samples from levels in -1..1, as many as given (interleaved for stereo).
inline std::vector<uint8_t> pcm16(const std::vector<double>& samples) {
    std::vector<uint8_t> bytes;
    for (double sample : samples) {
        const auto value = static_cast<int16_t>(std::lround(sample * 32767.0));
        bytes.push_back(static_cast<uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
    }
    return bytes;
}

inline std::vector<uint8_t> constantPcm16(double level, size_t count) {
    return pcm16(std::vector<double>(count, level));
}

inline std::vector<uint8_t> sinePcm16(double frequency, uint32_t rate, size_t count) {
    std::vector<double> samples(count);
    for (size_t i = 0; i < count; ++i) {
        samples[i] = 0.5 * std::sin(2.0 * M_PI * frequency * static_cast<double>(i) / rate);
    }
    return pcm16(samples);
}

// 16-bit mono samples all at one level, as the bytes of a "data" chunk.
inline std::string constantSamples16(int16_t level, size_t count) {
    std::string out;
    for (size_t i = 0; i < count; ++i) {
        out += littleEndian(static_cast<uint16_t>(level), 2);
    }
    return out;
}

// A valid 16-bit mono 44100 Hz wave file.
inline std::string waveFile(int16_t level = 8192, size_t frames = 1000) {
    return riff("WAVE", chunk("fmt ", formatRecord(1, 44100, 16)) +
                            chunk("data", constantSamples16(level, frames)));
}

inline std::string variableLength(uint32_t value) {
    std::string out(1, static_cast<char>(value & 0x7F));
    while (value >>= 7) {
        out.insert(out.begin(), static_cast<char>(0x80 | (value & 0x7F)));
    }
    return out;
}

// A Standard MIDI File of the given track bodies (each without its "MTrk" header).
inline std::string midiTracks(const std::vector<std::string>& tracks, uint16_t division = 480,
                              uint16_t format = 1) {
    std::string file = "MThd" + bigEndian(6, 4) + bigEndian(format, 2) +
                       bigEndian(tracks.size(), 2) + bigEndian(division, 2);
    for (const std::string& track : tracks) {
        file += "MTrk" + bigEndian(track.size(), 4) + track;
    }
    return file;
}

struct MidiNote {
    uint32_t startTick;
    uint32_t lengthTicks;
    uint8_t channel;
    uint8_t key;
};

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
        if (std::any_of(notes.begin(), notes.end(),
                        [channel](const MidiNote& note) { return note.channel == channel; })) {
            events.push_back({0, {static_cast<char>(0xC0 | channel), static_cast<char>(program)}});
        }
    }
    for (const MidiNote& note : notes) {
        const char key = static_cast<char>(note.key);
        events.push_back({note.startTick, {static_cast<char>(0x90 | note.channel), key, 100}});
        events.push_back(
            {note.startTick + note.lengthTicks, {static_cast<char>(0x80 | note.channel), key, 0}});
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
    return midiTracks({track}, 480, 0);
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

// The first bytes of a BMP file: the file header and an info header of `headerSize` bytes
// (12: the old core header with 16-bit sides).
inline std::string bmpHeader(uint32_t headerSize, int32_t width, int32_t height) {
    std::string bytes = "BM" + std::string(12, '\0') + littleEndian(headerSize, 4);
    const int side = headerSize == 12 ? 2 : 4;
    return bytes + littleEndian(static_cast<uint32_t>(width), side) +
           littleEndian(static_cast<uint32_t>(height), side) +
           std::string(headerSize == 12 ? 4 : 28, '\0');
}

// The first bytes of a PNG file of the given size: enough for its header to be read.
inline std::string pngHeader(uint32_t width, uint32_t height) {
    return std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16) + bigEndian(width, 4) +
           bigEndian(height, 4) + std::string("\x08\x06\0\0\0", 5);
}

// A whole RGBA PNG file of straight-alpha pixels (0xRRGGBBAA, row by row), stored
// uncompressed in one zlib block (up to 65535 bytes of rows).
inline std::string pngFile(uint32_t width, uint32_t height, const std::vector<uint32_t>& rgba) {
    const auto crc32 = [](std::string_view bytes) {
        uint32_t crc = 0xFFFFFFFFu;
        for (const char byte : bytes) {
            crc ^= static_cast<uint8_t>(byte);
            for (int bit = 0; bit < 8; ++bit) {
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
            }
        }
        return ~crc;
    };
    const auto addChunk = [&crc32](std::string& png, const char* type, const std::string& data) {
        const std::string typed = type + data;
        png += bigEndian(data.size(), 4) + typed + bigEndian(crc32(typed), 4);
    };
    std::string raw;
    for (uint32_t y = 0; y < height; ++y) {
        raw += '\0';  // filter: none
        for (uint32_t x = 0; x < width; ++x) {
            raw += bigEndian(rgba[y * width + x], 4);
        }
    }
    uint32_t a = 1;
    uint32_t b = 0;
    for (const char byte : raw) {
        a = (a + static_cast<uint8_t>(byte)) % 65521u;
        b = (b + a) % 65521u;
    }
    // The zlib header, then the one final stored block with its length and its complement.
    const std::string zlib = std::string("\x78\x01\x01", 3) + littleEndian(raw.size(), 2) +
                             littleEndian(~raw.size() & 0xFFFF, 2) + raw +
                             bigEndian((b << 16) | a, 4);
    std::string png = pngHeader(width, height).substr(0, 8);
    addChunk(png, "IHDR", pngHeader(width, height).substr(16));
    addChunk(png, "IDAT", zlib);
    addChunk(png, "IEND", "");
    return png;
}

}  // namespace tavro::testing
