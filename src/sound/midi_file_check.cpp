#include "sound/midi_file_check.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tavro {

namespace {

constexpr size_t kChunkHeader = 8;
constexpr size_t kHeaderLength = 6;
constexpr uint8_t kMetaEvent = 0xFF;
constexpr uint8_t kEndOfTrack = 0x2F;
constexpr uint8_t kSetTempo = 0x51;
constexpr double kDefaultMicrosecondsPerQuarter = 500000;

struct TempoChange {
    int64_t tick;
    uint32_t microsecondsPerQuarter;
};

uint32_t bigEndian(std::string_view bytes, size_t at, int32_t count) {
    uint32_t value = 0;
    for (int32_t i = 0; i < count; ++i) {
        value = value << 8 | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    }
    return value;
}

// What the tracks read so far hold.
struct SongTally {
    int64_t longestTicks = 0;
    int64_t events = 0;
    std::vector<TempoChange> tempos;
};

// The meta events whose length the synthesiser insists on: tempo, SMPTE offset, time and key
// signature.
int64_t requiredMetaLength(uint8_t type) {
    switch (type) {
        case 0x51:
            return 3;
        case 0x54:
            return 5;
        case 0x58:
            return 4;
        case 0x59:
            return 2;
        default:
            return -1;
    }
}

class TrackReader {
  public:
    TrackReader(std::string_view track, SongTally& tally) : track_(track), tally_(tally) {}

    // The track's length in ticks up to its end-of-track event or its last byte; -1 when an
    // event cannot be read.
    int64_t ticks() {
        int64_t total = 0;
        uint8_t runningStatus = 0;
        while (at_ < track_.size()) {
            const int64_t delta = variableLength();
            if (delta < 0 || at_ >= track_.size()) {
                return -1;
            }
            total += delta;
            ++tally_.events;
            uint8_t status = byte(at_);
            if (status < 0x80) {
                if (runningStatus == 0) {
                    return -1;
                }
                status = runningStatus;
            } else {
                ++at_;
            }
            if (status == kMetaEvent) {
                if (at_ >= track_.size()) {
                    return -1;
                }
                const uint8_t type = byte(at_++);
                const int64_t length = variableLength();
                const int64_t required = requiredMetaLength(type);
                if (!skip(length) || (required >= 0 && length != required)) {
                    return -1;
                }
                if (type == kSetTempo) {
                    tally_.tempos.push_back({total, bigEndian(track_, at_ - 3, 3)});
                }
                if (type == kEndOfTrack) {
                    return total;
                }
            } else if (status == 0xF0 || status == 0xF7) {
                runningStatus = 0;
                if (!skip(variableLength())) {
                    return -1;
                }
            } else if (status >= 0xF0) {
                return -1;
            } else {
                runningStatus = status;
                const uint8_t kind = status & 0xF0;
                if (!skip(kind == 0xC0 || kind == 0xD0 ? 1 : 2)) {
                    return -1;
                }
            }
        }
        return total;
    }

  private:
    uint8_t byte(size_t at) const { return static_cast<uint8_t>(track_[at]); }

    // At most four bytes; -1 when longer or cut off.
    int64_t variableLength() {
        int64_t value = 0;
        for (int32_t count = 0; count < 4 && at_ < track_.size(); ++count) {
            const uint8_t next = byte(at_++);
            value = (value << 7) | (next & 0x7F);
            if ((next & 0x80) == 0) {
                return value;
            }
        }
        return -1;
    }

    bool skip(int64_t count) {
        if (count < 0 || static_cast<uint64_t>(count) > track_.size() - at_) {
            return false;
        }
        at_ += static_cast<size_t>(count);
        return true;
    }

    std::string_view track_;
    SongTally& tally_;
    size_t at_ = 0;
};

// The song's length in seconds: its ticks at the tempo in force, from every track.
double songSeconds(SongTally& tally, uint32_t ticksPerQuarter) {
    std::stable_sort(tally.tempos.begin(), tally.tempos.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    double microseconds = 0;
    double perQuarter = kDefaultMicrosecondsPerQuarter;
    int64_t tick = 0;
    for (const TempoChange& change : tally.tempos) {
        const int64_t until = std::min(change.tick, tally.longestTicks);
        microseconds += static_cast<double>(until - tick) * perQuarter;
        tick = until;
        perQuarter = change.microsecondsPerQuarter;
    }
    microseconds += static_cast<double>(tally.longestTicks - tick) * perQuarter;
    return microseconds / std::max<uint32_t>(ticksPerQuarter, 1) / 1e6;
}

}  // namespace

MidiSongShape inspectMidiSong(std::string_view bytes) {
    if (bytes.size() < kChunkHeader + kHeaderLength || bytes.substr(0, 4) != "MThd" ||
        bigEndian(bytes, 4, 4) != kHeaderLength) {
        return MidiSongShape::kUnreadable;
    }
    const uint32_t format = bigEndian(bytes, 8, 2);
    const uint32_t tracks = bigEndian(bytes, 10, 2);
    const uint32_t division = bigEndian(bytes, 12, 2);
    const bool smpteTiming = (division & 0x8000) != 0;
    if (format > 2 || tracks == 0 || smpteTiming) {
        return MidiSongShape::kUnreadable;
    }
    SongTally tally;
    size_t at = kChunkHeader + kHeaderLength;
    for (uint32_t found = 0; found < tracks;) {
        if (bytes.size() - at < kChunkHeader) {
            return MidiSongShape::kUnreadable;
        }
        const uint32_t length = bigEndian(bytes, at + 4, 4);
        if (length > bytes.size() - at - kChunkHeader) {
            return MidiSongShape::kUnreadable;
        }
        if (bytes.substr(at, 4) == "MTrk") {
            const int64_t ticks =
                TrackReader(bytes.substr(at + kChunkHeader, length), tally).ticks();
            if (ticks < 0) {
                return MidiSongShape::kUnreadable;
            }
            tally.longestTicks = std::max(tally.longestTicks, ticks);
            ++found;
        }
        at += kChunkHeader + length;
    }
    if (tally.longestTicks == 0) {
        return MidiSongShape::kNoLength;
    }
    const double seconds = songSeconds(tally, division);
    return static_cast<double>(tally.events) > seconds * kMaxMidiEventsPerSecond
               ? MidiSongShape::kTooDense
               : MidiSongShape::kPlayable;
}

}  // namespace tavro
