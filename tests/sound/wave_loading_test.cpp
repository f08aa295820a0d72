#include <gtest/gtest.h>

#include "host/audio/mixer.h"
#include "sound/sound_cache.h"
#include "sound/wave_reader.h"
#include "support/file_bytes.h"
#include "support/game_folder.h"
#include "support/log_sink.h"
#include "text/messages.h"

namespace tavro {
namespace {

using namespace testing;

const std::string kFormat = chunk("fmt ", formatRecord(1, 44100, 16));
const std::string kData = chunk("data", constantSamples16(4000, 64));

struct Case {
    const char* name;
    std::string file;
    const char* prefix;  // the logged line's prefix; null: the file loads
};

std::vector<Case> waveCases() {
    // clang-format off
    return {
        {"plain 16-byte format", riff("WAVE", kFormat + kData), nullptr},
        {"18-byte format with extra size", riff("WAVE", chunk("fmt ", formatRecord(1, 44100, 16) + littleEndian(0, 2)) + kData), nullptr},
        {"odd chunk before fmt is padded", riff("WAVE", chunk("LIST", "abc") + kFormat + kData), nullptr},
        {"odd chunk between fmt and data", riff("WAVE", kFormat + chunk("junk", "x") + kData), nullptr},
        {"8-bit stereo 11025 Hz", riff("WAVE", chunk("fmt ", formatRecord(2, 11025, 8)) + chunk("data", "\x80\x80\x90\x70")), nullptr},
        {"other top-level chunk before the RIFF", chunk("JUNK", "zz") + riff("WAVE", kFormat + kData), nullptr},
        {"RIFF size larger than the file", chunk("RIFF", "WAVE" + kFormat + kData, 100000), nullptr},
        {"empty file", "", "riff ["},
        {"truncated RIFF header", "RIFF\x10\x00", "riff ["},
        {"not RIFF", "RIFX" + littleEndian(4, 4) + "WAVE", "riff ["},
        {"RIFF of another form", riff("AVI ", kFormat + kData), "riff ["},
        {"WAVE nested in another RIFF", riff("AVI ", riff("WAVE", kFormat + kData)), "riff ["},
        {"no fmt chunk", riff("WAVE", kData), "chunk ["},
        {"no data chunk", riff("WAVE", kFormat), "chunk ["},
        {"data before fmt", riff("WAVE", kData + kFormat), "chunk ["},
        {"fmt header cut short", riff("WAVE", "fmt "), "chunk ["},
        {"data outside the RIFF size", chunk("RIFF", "WAVE" + kFormat, 4 + 24) + kData, "chunk ["},
        {"fmt claims more than the file", chunk("RIFF", "WAVE" + chunk("fmt ", "\x01\x02", 100), 200), "format ["},
        {"data claims 1 GB", riff("WAVE", kFormat + chunk("data", "\x01\x02", 1 << 30)), "data ["},
        {"data claims 4 GiB - 1", riff("WAVE", kFormat + chunk("data", "", 0xFFFFFFFF)), "data ["},
        {"zero-length data", riff("WAVE", kFormat + chunk("data", "")), "copy ["},
        {"data shorter than one frame", riff("WAVE", chunk("fmt ", formatRecord(2, 44100, 16)) + chunk("data", "\x01\x02")), "copy ["},
        {"empty fmt chunk", riff("WAVE", chunk("fmt ", "") + kData), "copy ["},
        {"0 channels", riff("WAVE", chunk("fmt ", formatRecord(0, 44100, 16)) + kData), "copy ["},
        {"0 Hz", riff("WAVE", chunk("fmt ", formatRecord(1, 0, 16)) + kData), "copy ["},
        {"0 bits", riff("WAVE", chunk("fmt ", formatRecord(1, 44100, 0)) + kData), "copy ["},
        {"block align mismatch", riff("WAVE", chunk("fmt ", formatRecord(1, 44100, 16, 1, 3)) + kData), "copy ["},
        {"float samples", riff("WAVE", chunk("fmt ", formatRecord(1, 44100, 32, 3)) + kData), "copy ["},
        {"ADPCM", riff("WAVE", chunk("fmt ", formatRecord(1, 44100, 4, 2, 256)) + kData), "copy ["},
    };
    // clang-format on
}

TEST(WaveLoading, EachMalformedFileLogsItsLineAndGivesNoSound) {
    for (const Case& c : waveCases()) {
        GameFolder files;
        files.files["se.wav"] = c.file;
        RecordingSink log;
        Mixer mixer(4);
        SoundCache cache(&mixer, files, log);
        const int32_t index = cache.loadSound("se.wav");
        if (!c.prefix) {
            EXPECT_EQ(index, 0) << c.name;
            EXPECT_TRUE(log.reports.empty()) << c.name << ": " << log.reports.front().first;
            EXPECT_GT(mixer.masterFrames(0), 0u) << c.name;
            continue;
        }
        EXPECT_EQ(index, -1) << c.name;
        EXPECT_EQ(log.reports, Reports({{std::string(c.prefix) + "se.wav]", Severity::kError}}))
            << c.name;
        EXPECT_EQ(mixer.masterFrames(0), 0u) << c.name;
        EXPECT_EQ(cache.duplicateSound(0), -1) << c.name;
    }
}

TEST(WaveLoading, MissingFileLogsOpenFailure) {
    GameFolder files;
    RecordingSink log;
    Mixer mixer(4);
    SoundCache cache(&mixer, files, log);
    EXPECT_EQ(cache.loadSound("missing.wav"), -1);
    EXPECT_EQ(log.reports,
              Reports({{std::string(kFileOpenFailedPrefix) + "missing.wav]", Severity::kError}}));
}

TEST(WaveReader, ShortFormatChunkLeavesTheRestOfTheRecordZero) {
    WaveFile wave;
    const std::string file =
        riff("WAVE", chunk("fmt ", formatRecord(2, 22050, 16)) + chunk("data", "abcd"));
    ASSERT_EQ(parseWave(file, wave), WaveFault::none);
    EXPECT_EQ(wave.format.channels, 2);
    EXPECT_EQ(wave.format.samplesPerSecond, 22050u);
    EXPECT_EQ(wave.format.averageBytesPerSecond, 88200u);
    EXPECT_EQ(wave.format.blockAlign, 4);
    EXPECT_EQ(wave.format.extraSize, 0);
    EXPECT_EQ(wave.samples, "abcd");
}

}  // namespace
}  // namespace tavro
