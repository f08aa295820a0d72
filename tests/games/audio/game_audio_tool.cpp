// The end-to-end games' audio helper.
//
//   game_audio_tool assets FOLDER       writes the generated sounds the games play:
//                                         ramp.wav  (a voice's level tells its position)
//                                         song.mid  (one second of held chords)
//                                         silent.mid, still.mid, tracks.mid (songs that
//                                           last no time: one empty track, a note of no
//                                           length, five thousand empty tracks)
//                                         burst.mid (five thousand notes in one tick)
//   game_audio_tool check WAV CHECKS    checks a run's --audio-out recording
//   game_audio_tool ratio FULL WAV FROM TO R
//                                       WAV's RMS level from FROM to TO ms is R times FULL's
//                                       (within 5 %); R = 0: WAV is silent there
//
// ramp.wav is half a second of 16-bit mono at 44100 Hz whose sample at position p is
// 0.05 + 0.35 p / 22050 of full scale, so the mix of a few voices stays below the mixer's
// knee and its level is the sum of what each voice plays at that moment.
//
// CHECKS holds one check a line (# starts a comment); times are milliseconds of the
// recording, sample = floor(ms * 44100 / 1000), and the left channel is read:
//   silent MS             nothing plays
//   level MS P [P ...]    one voice at each position P (milliseconds into ramp.wav)
//   onset MS              a ramp.wav voice starts exactly there: silent one sample before,
//                         and at its start level once the fade-in is over
//   loud FROM TO          every 100 ms window from FROM to TO has an RMS level above 0.01
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "support/file_bytes.h"

namespace {

using namespace tavro::testing;

constexpr double kRate = 44100;
constexpr double kRampFrames = 22050;
constexpr double kTolerance = 0.0005;  // under a millisecond of ramp position
constexpr int64_t kFadeFrames = 64;    // the mixer's start fade

double rampLevel(double frame) {
    return 0.05 + 0.35 * frame / kRampFrames;
}

std::string rampWave() {
    std::string samples;
    for (int frame = 0; frame < static_cast<int>(kRampFrames); ++frame) {
        const auto value = static_cast<int16_t>(std::lround(rampLevel(frame) * 32768));
        samples += littleEndian(static_cast<uint16_t>(value), 2);
    }
    return riff("WAVE", chunk("fmt ", formatRecord(1, 44100, 16)) + chunk("data", samples));
}

// One second of a held C major chord on an organ, so the song is loud from start to end.
std::string heldChordSong() {
    std::vector<MidiNote> notes;
    for (uint8_t key : {60, 64, 67}) {
        notes.push_back({0, 960, 0, key});
    }
    return midiFile(notes, 960, 19);
}

// Five thousand notes at once, ending a tick later: each loop of such a song would send them
// all again.
std::vector<MidiNote> burstNotes() {
    std::vector<MidiNote> notes;
    for (uint32_t i = 0; i < 5000; ++i) {
        notes.push_back({0, 1, static_cast<uint8_t>(i % 16), static_cast<uint8_t>(30 + i % 60)});
    }
    return notes;
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

bool readFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    return static_cast<bool>(in) || in.eof();
}

// The left channel of a 16-bit stereo recording, as full-scale fractions.
bool readLeftChannel(const std::string& path, std::vector<double>& left) {
    std::string bytes;
    if (!readFile(path, bytes) || bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0) {
        return false;
    }
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const uint32_t size = static_cast<uint8_t>(bytes[at + 4]) |
                              static_cast<uint8_t>(bytes[at + 5]) << 8 |
                              static_cast<uint8_t>(bytes[at + 6]) << 16 |
                              static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 7])) << 24;
        if (bytes.compare(at, 4, "data") == 0) {
            const size_t end = std::min<size_t>(bytes.size(), at + 8 + size);
            for (size_t i = at + 8; i + 4 <= end; i += 4) {
                const auto value = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                                        static_cast<uint8_t>(bytes[i + 1]) << 8);
                left.push_back(value / 32767.0);
            }
            return true;
        }
        at += 8 + size + (size & 1);
    }
    return false;
}

double rms(const std::vector<double>& left, double fromMs, double toMs) {
    const auto from = static_cast<size_t>(fromMs * kRate / 1000);
    const auto to = std::min(left.size(), static_cast<size_t>(toMs * kRate / 1000));
    double sum = 0;
    for (size_t i = from; i < to; ++i) {
        sum += left[i] * left[i];
    }
    return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0;
}

class Checker {
  public:
    explicit Checker(std::vector<double> left) : left_(std::move(left)) {}

    void check(const std::string& line) {
        std::istringstream words(line);
        std::string kind;
        double ms = 0;
        words >> kind >> ms;
        const int64_t sample = static_cast<int64_t>(std::floor(ms * kRate / 1000));
        if (kind == "silent" || kind == "level") {
            double expected = 0;
            for (double position; words >> position;) {
                expected += rampLevel(position * kRate / 1000);
            }
            expectLevel(line, sample, expected);
        } else if (kind == "onset") {
            expectLevel(line + " (the sample before)", sample - 1, 0);
            expectLevel(line + " (after the fade-in)", sample + kFadeFrames,
                        rampLevel(kFadeFrames));
        } else if (kind == "loud") {
            double to = 0;
            words >> to;
            for (double from = ms; from + 100 <= to; from += 100) {
                const double level = rms(left_, from, from + 100);
                if (!(level > 0.01)) {
                    fail(line,
                         "RMS " + std::to_string(level) + " from " + std::to_string(from) + " ms");
                    break;
                }
            }
        } else {
            fail(line, "unknown check");
        }
    }
    int failures() const { return failures_; }

  private:
    void expectLevel(const std::string& line, int64_t sample, double expected) {
        if (sample < 0 || static_cast<size_t>(sample) >= left_.size()) {
            fail(line, "sample " + std::to_string(sample) + " is past the recording (" +
                           std::to_string(left_.size()) + " samples)");
            return;
        }
        const double actual = left_[static_cast<size_t>(sample)];
        if (std::fabs(actual - expected) > kTolerance) {
            fail(line, "level " + std::to_string(actual) + ", expected " +
                           std::to_string(expected) + " at sample " + std::to_string(sample));
        }
    }
    void fail(const std::string& line, const std::string& why) {
        std::printf("audio check '%s' failed: %s\n", line.c_str(), why.c_str());
        ++failures_;
    }

    std::vector<double> left_;
    int failures_ = 0;
};

int check(const std::string& recording, const std::string& checksPath) {
    std::vector<double> left;
    if (!readLeftChannel(recording, left)) {
        std::printf("%s is not a 16-bit stereo WAV recording\n", recording.c_str());
        return 1;
    }
    std::ifstream checks(checksPath);
    Checker checker(std::move(left));
    for (std::string line; std::getline(checks, line);) {
        line = line.substr(0, line.find('#'));
        if (line.find_first_not_of(" \t\r") != std::string::npos) {
            checker.check(line);
        }
    }
    return checker.failures() == 0 ? 0 : 1;
}

int ratio(const std::string& full, const std::string& scaled, double from, double to,
          double expected) {
    std::vector<double> fullLeft, scaledLeft;
    if (!readLeftChannel(full, fullLeft) || !readLeftChannel(scaled, scaledLeft)) {
        std::printf("%s or %s is not a 16-bit stereo WAV recording\n", full.c_str(),
                    scaled.c_str());
        return 1;
    }
    const double fullLevel = rms(fullLeft, from, to);
    const double level = rms(scaledLeft, from, to);
    std::printf("RMS from %g to %g ms: %f, full %f, ratio %f\n", from, to, level, fullLevel,
                fullLevel > 0 ? level / fullLevel : 0.0);
    if (expected == 0) {
        return level == 0 ? 0 : 1;
    }
    return fullLevel > 0.01 && std::fabs(level / fullLevel - expected) <= 0.05 * expected ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "assets") {
        const std::string endOfTrack("\0\xFF\x2F\0", 4);
        const bool written = writeFile(args[1] + "/ramp.wav", rampWave()) &&
                             writeFile(args[1] + "/song.mid", heldChordSong()) &&
                             writeFile(args[1] + "/silent.mid", midiTracks({endOfTrack})) &&
                             writeFile(args[1] + "/still.mid", midiFile({{0, 0, 0, 60}}, 0)) &&
                             writeFile(args[1] + "/tracks.mid",
                                       midiTracks(std::vector<std::string>(5000, endOfTrack))) &&
                             writeFile(args[1] + "/burst.mid", midiFile(burstNotes(), 1));
        return written ? 0 : 1;
    }
    if (args.size() == 3 && args[0] == "check") {
        return check(args[1], args[2]);
    }
    if (args.size() == 6 && args[0] == "ratio") {
        return ratio(args[1], args[2], std::stod(args[3]), std::stod(args[4]), std::stod(args[5]));
    }
    std::fputs(
        "usage: game_audio_tool assets FOLDER | check WAV CHECKS | ratio FULL WAV FROM TO R\n",
        stderr);
    return 2;
}
