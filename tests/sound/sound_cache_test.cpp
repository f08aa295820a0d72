#include "sound/sound_cache.h"

#include <gtest/gtest.h>

#include "host/audio/mixer.h"
#include "support/file_bytes.h"
#include "support/game_folder.h"
#include "support/log_sink.h"

namespace tavro {
namespace {

using namespace testing;

struct CacheFixture {
    GameFolder files;
    RecordingSink log;
    Mixer mixer{16};
    SoundCache cache{&mixer, files, log};
};

TEST(SoundCache, GivesEachNameOneStableIndexAndOneMaster) {
    CacheFixture f;
    f.files.files["a.wav"] = waveFile();
    f.files.files["b.wav"] = waveFile();
    EXPECT_EQ(f.cache.loadSound("a.wav"), 0);
    EXPECT_EQ(f.cache.loadSound("b.wav"), 1);
    EXPECT_EQ(f.cache.loadSound("a.wav"), 0);
    EXPECT_EQ(f.files.reads.size(), 2u) << "a loaded name is not read again";
    EXPECT_EQ(f.cache.loadSound("A.wav"), -1) << "names compare byte for byte";
    EXPECT_EQ(f.cache.soundCount(), 3);
    EXPECT_EQ(f.cache.loadSound(""), -1);
    EXPECT_EQ(f.cache.soundCount(), 3);
}

TEST(SoundCache, RetriesAFailedLoadUnderTheSameIndex) {
    CacheFixture f;
    EXPECT_EQ(f.cache.loadSound("late.wav"), -1);
    f.files.files["late.wav"] = waveFile();
    EXPECT_EQ(f.cache.loadSound("late.wav"), 0);
    EXPECT_EQ(f.log.reports.size(), 1u);
}

TEST(SoundCache, DuplicateReloadsAReleasedMaster) {
    CacheFixture f;
    f.files.files["a.wav"] = waveFile();
    ASSERT_EQ(f.cache.loadSound("a.wav"), 0);
    f.cache.releaseAllSounds();
    EXPECT_EQ(f.mixer.masterFrames(0), 0u);
    EXPECT_GE(f.cache.duplicateSound(0), 0);
    EXPECT_EQ(f.files.reads.size(), 2u);
    f.cache.freeSoundCache();
    EXPECT_GE(f.cache.loadAndDuplicateSound("a.wav"), 0) << "names survive the shut-down free";
}

TEST(SoundCache, DuplicateOfAnIndexWithoutASoundGivesNone) {
    CacheFixture f;
    f.files.files["a.wav"] = waveFile();
    for (int32_t index : {-1, 0, 1, 1000000}) {
        EXPECT_EQ(f.cache.duplicateSound(index), -1) << index;
    }
    EXPECT_EQ(f.cache.soundCount(), 0);
    EXPECT_EQ(f.cache.loadAndDuplicateSound("missing.wav"), -1);
}

TEST(SoundCache, WithoutAnAudioOutputTheDeviceFails) {
    GameFolder files;
    files.files["a.wav"] = waveFile();
    RecordingSink log;
    SoundCache cache(nullptr, files, log);
    EXPECT_FALSE(cache.createSoundDevice());
    EXPECT_EQ(cache.loadSound("a.wav"), -1);
    EXPECT_EQ(log.reports,
              Reports({{"DirectSound", Severity::kError}, {"DirectSound", Severity::kError}}));
}

}  // namespace
}  // namespace tavro
