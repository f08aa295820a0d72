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
    // `events` (may be null) receives the track's channel and system exclusive events.
    TrackReader(std::string_view track, SongTally& tally, std::vector<MidiEvent>* events)
        : track_(track), tally_(tally), events_(events) {}

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
                const int64_t length = variableLength();
                if (!skip(length)) {
                    return -1;
                }
                keep(total, status, static_cast<size_t>(length));
            } else if (status >= 0xF0) {
                return -1;
            } else {
                runningStatus = status;
                const uint8_t kind = status & 0xF0;
                const size_t length = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
                if (!skip(static_cast<int64_t>(length))) {
                    return -1;
                }
                keep(total, status, length);
            }
        }
        return total;
    }

  private:
    uint8_t byte(size_t at) const { return static_cast<uint8_t>(track_[at]); }

    // The event whose `length` data bytes were just skipped.
    void keep(int64_t tick, uint8_t status, size_t length) {
        if (events_) {
            events_->push_back({tick, status, track_.substr(at_ - length, length)});
        }
    }

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
    std::vector<MidiEvent>* events_;
    size_t at_ = 0;
};

void sortByTick(std::vector<TempoChange>& tempos) {
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
}

// Seconds from the start at each of `ticks` (ascending), at the tempo in force.
std::vector<double> secondsAtTicks(const std::vector<TempoChange>& tempos, uint32_t ticksPerQuarter,
                                   const std::vector<int64_t>& ticks) {
    std::vector<double> seconds;
    seconds.reserve(ticks.size());
    double microseconds = 0;
    double perQuarter = kDefaultMicrosecondsPerQuarter;
    int64_t tick = 0;
    size_t next = 0;
    const double quarter = std::max<uint32_t>(ticksPerQuarter, 1);
    for (const int64_t wanted : ticks) {
        for (; next < tempos.size() && tempos[next].tick <= wanted; ++next) {
            microseconds += static_cast<double>(tempos[next].tick - tick) * perQuarter;
            tick = tempos[next].tick;
            perQuarter = tempos[next].microsecondsPerQuarter;
        }
        seconds.push_back((microseconds + static_cast<double>(wanted - tick) * perQuarter) /
                          quarter / 1e6);
    }
    return seconds;
}

MidiSongShape readSong(std::string_view bytes, SongTally& tally, uint32_t& division,
                       std::vector<MidiEvent>* events) {
    if (bytes.size() < kChunkHeader + kHeaderLength || bytes.substr(0, 4) != "MThd" ||
        bigEndian(bytes, 4, 4) != kHeaderLength) {
        return MidiSongShape::kUnreadable;
    }
    const uint32_t format = bigEndian(bytes, 8, 2);
    const uint32_t tracks = bigEndian(bytes, 10, 2);
    division = bigEndian(bytes, 12, 2);
    const bool smpteTiming = (division & 0x8000) != 0;
    if (format > 2 || tracks == 0 || smpteTiming) {
        return MidiSongShape::kUnreadable;
    }
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
                TrackReader(bytes.substr(at + kChunkHeader, length), tally, events).ticks();
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
    sortByTick(tally.tempos);
    const double seconds = secondsAtTicks(tally.tempos, division, {tally.longestTicks})[0];
    return static_cast<double>(tally.events) > seconds * kMaxMidiEventsPerSecond
               ? MidiSongShape::kTooDense
               : MidiSongShape::kPlayable;
}

}  // namespace

MidiSongShape inspectMidiSong(std::string_view bytes) {
    SongTally tally;
    uint32_t division = 0;
    return readSong(bytes, tally, division, nullptr);
}

bool readMidiSong(std::string_view bytes, MidiSong& song) {
    SongTally tally;
    uint32_t division = 0;
    song.events.clear();
    if (readSong(bytes, tally, division, &song.events) != MidiSongShape::kPlayable) {
        return false;
    }
    // Tracks one after another, each in order: by tick, the earlier track first.
    std::stable_sort(song.events.begin(), song.events.end(),
                     [](const MidiEvent& a, const MidiEvent& b) { return a.tick < b.tick; });
    std::vector<int64_t> ticks;
    ticks.reserve(song.events.size() + 1);
    for (const MidiEvent& event : song.events) {
        ticks.push_back(event.tick);
    }
    ticks.push_back(tally.longestTicks);
    song.seconds = secondsAtTicks(tally.tempos, division, ticks);
    song.lengthSeconds = song.seconds.back();
    song.seconds.pop_back();
    return true;
}

}  // namespace tavro
