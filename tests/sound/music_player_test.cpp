#include "sound/music_player.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "host/audio/mixer.h"
#include "support/file_bytes.h"
#include "support/game_folder.h"
#include "support/log_sink.h"

namespace tavro {
namespace {

using namespace testing;

class FakeSynth : public MusicSynth {
  public:
    bool play(std::string_view midiFile, bool standardMidiFile) override {
        ++plays;
        lastFile = midiFile;
        lastStandard = standardMidiFile;
        playing = accepts;
        return accepts;
    }
    void stop() override {
        ++stops;
        playing = false;
    }
    const char* songSuffix() const override { return suffix; }
    const char* suffix = "";
    bool accepts = true;
    bool playing = false;
    int plays = 0;
    int stops = 0;
    std::string lastFile;
    bool lastStandard = false;
};

struct MusicFixture {
    GameFolder files;
    RecordingSink log;
    FakeSynth synth;
    Mixer mixer{4};
    MusicPlayer player{&synth, &mixer, files, log};
};

TEST(MusicPlayer, StandardMidiModeFollowsTheLowerCaseMidSuffix) {
    struct Case {
        const char* name;
        bool standard;
    };
    const Case cases[] = {{"song.mid", true}, {"song.MID", false}, {"song.Mid", false},
                          {"mid", true},      {"song.rmi", false}, {"songmid", true}};
    for (const Case& c : cases) {
        MusicFixture f;
        f.files.files[c.name] = "MThd-bytes";
        EXPECT_TRUE(f.player.playMusic(c.name)) << c.name;
        EXPECT_EQ(f.synth.lastStandard, c.standard) << c.name;
        EXPECT_EQ(f.synth.lastFile, "MThd-bytes") << c.name;
    }
}

TEST(MusicPlayer, EveryStartStopsFirst) {
    MusicFixture f;
    f.files.files["a.mid"] = "a";
    EXPECT_TRUE(f.player.playMusic("a.mid"));
    EXPECT_TRUE(f.player.playMusic("a.mid"));
    EXPECT_EQ(f.synth.stops, 2);
    EXPECT_EQ(f.synth.plays, 2);
    EXPECT_TRUE(f.player.playing());
    f.player.stopMusic();
    EXPECT_FALSE(f.player.playing());
    EXPECT_FALSE(f.synth.playing);
    EXPECT_TRUE(f.log.reports.empty());
}

TEST(MusicPlayer, FailuresLogTheirLabelAndLeaveNoMusic) {
    struct Case {
        const char* name;
        std::optional<std::string> file;  // none: absent
        bool hasSynth;
        bool synthAccepts;
        Reports lines;
    };
    // clang-format off
    const Case cases[] = {
        {"missing file", std::nullopt, true, true, {{"DireceMusicSegment", Severity::kNotice}}},
        {"file the synthesiser cannot parse", "junk", true, false, {{"DireceMusicSegment", Severity::kNotice}}},
        {"no synthesiser", "MThd", false, true, {{"DireceMusicPerformance", Severity::kNotice}}},
        {"no synthesiser and no file", std::nullopt, false, true, {{"DireceMusicPerformance", Severity::kNotice}}},
        {"broken wave file", std::string("RIFF\x04\x00\x00\x00WAVE", 12), true, true, {{"DireceMusicSegment", Severity::kNotice}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        MusicFixture f;
        f.synth.accepts = c.synthAccepts;
        if (c.file) {
            f.files.files["bgm.mid"] = *c.file;
        }
        MusicPlayer player(c.hasSynth ? &f.synth : nullptr, &f.mixer, f.files, f.log);
        EXPECT_FALSE(player.playMusic("bgm.mid")) << c.name;
        EXPECT_FALSE(player.playing()) << c.name;
        EXPECT_EQ(f.log.reports, c.lines) << c.name;
    }
    MusicFixture f;
    EXPECT_FALSE(f.player.playMusic(""));
    EXPECT_TRUE(f.log.reports.empty()) << "an empty name is refused silently";
}

TEST(MusicPlayer, ASynthOfRenderedSongsPlaysTheRenderingBesideTheSong) {
    struct Case {
        std::vector<const char*> files;
        bool plays;
    };
    const Case cases[] = {
        {{"bgm.mid", "bgm.mid.ogg"}, true},
        {{"bgm.mid"}, false},  // not rendered: logs as a song that does not load
        {{"bgm.mid.ogg"}, false},
    };
    for (const Case& c : cases) {
        MusicFixture f;
        f.synth.suffix = ".ogg";
        for (const char* name : c.files) {
            f.files.files[name] = name;
        }
        EXPECT_EQ(f.player.playMusic("bgm.mid"), c.plays) << c.files.size();
        if (c.plays) {
            EXPECT_EQ(f.synth.lastFile, "bgm.mid.ogg");
            EXPECT_TRUE(f.synth.lastStandard);
            EXPECT_TRUE(f.log.reports.empty());
        } else {
            EXPECT_EQ(f.log.reports, (Reports{{"DireceMusicSegment", Severity::kNotice}}));
        }
    }
}

TEST(MusicPlayer, WaveFileAsMusicLoopsThroughTheMixer) {
    MusicFixture f;
    constexpr size_t kFrames = 500;
    f.files.files["bgm.wav"] = waveFile(8192, kFrames);
    ASSERT_TRUE(f.player.playMusic("bgm.wav"));
    EXPECT_EQ(f.synth.plays, 0);
    std::vector<float> out(kFrames * 5 * 2);
    f.mixer.mix(out.data(), kFrames * 5);
    EXPECT_NEAR(out.back(), 0.25f, 1e-3) << "still playing after five times its length";

    f.player.stopMusic();
    f.mixer.mix(out.data(), 10);
    EXPECT_EQ(out[0], 0.0f);
}

}  // namespace
}  // namespace tavro
