// A soundfont that does not load: Tavro says so in one line naming it, with FluidSynth's
// reason, and FluidSynth itself prints nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "host/audio/host_audio.h"

namespace tavro {
namespace {

TEST(HostAudioNoticeTest, AnUnloadableSoundFontGivesOneLineNamingIt) {
    const std::string path = ::testing::TempDir() + "broken.sf2";
    std::ofstream(path) << "not a soundfont";
    std::FILE* notices = std::tmpfile();
    ASSERT_NE(notices, nullptr);
    ::testing::internal::CaptureStderr();
    {
        SoundFontSearch search;
        search.explicitPath = path;
        HostAudio audio(search, notices);
        EXPECT_EQ(audio.music(), nullptr);
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    std::rewind(notices);
    char line[512] = {};
    ASSERT_NE(std::fgets(line, sizeof line, notices), nullptr);
    const std::string notice = line;
    EXPECT_TRUE(notice.starts_with("tavro: the soundfont " + path + " does not load: ")) << notice;
    EXPECT_TRUE(notice.ends_with("; the game runs without music\n")) << notice;
    EXPECT_EQ(std::fgets(line, sizeof line, notices), nullptr) << "one line only";
    std::fclose(notices);
    std::remove(path.c_str());
}

}  // namespace
}  // namespace tavro
