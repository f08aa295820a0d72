// Tavro's own settings file: what each section sets, the game's own section winning, and
// every unusable line left out with a warning while the rest applies.
#include "shell/player_settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/temporary_folder.h"

namespace tavro {
namespace {

TEST(PlayerSettings, SectionsSetVolumesKeysAndThePadMapAndTheGamesSectionWins) {
    const PlayerSettingsRead read = parsePlayerSettings(
        "\xEF\xBB\xBF# the player's\r\n"
        "[game mygame]\n"
        "audio.music = 20\n"
        "keys.K = Enter\n"
        "[Audio]\n"
        "music = 70  # loud\n"
        "effects=0\n"
        "[keys]\n"
        "j = z\n"
        "Keypad4 = Left\n"
        "[pad]\n"
        "mapping = off\n"
        "B = none\n"
        "Button12 = F5\n"
        "[game other]\n"
        "audio.effects = 90\n",
        "tavro.ini", "mygame");
    EXPECT_TRUE(read.warnings.empty()) << read.warnings.front();
    const PlayerSettings& settings = read.settings;
    EXPECT_EQ(settings.musicVolume, 20);
    EXPECT_EQ(settings.effectsVolume, 0);
    EXPECT_EQ(settings.controls.keyTargets['J'], 'Z');
    EXPECT_EQ(settings.controls.keyTargets['K'], 13);
    EXPECT_EQ(settings.controls.keyTargets[100], 37);
    EXPECT_EQ(settings.controls.keyTargets['Z'], 'Z');
    EXPECT_EQ(settings.controls.padToKeys, PadToKeys::kNever);
    EXPECT_EQ(settings.controls.padKeys[2], 0);
    EXPECT_EQ(settings.controls.padKeys[12], 116);
    EXPECT_EQ(settings.controls.padKeys[1], 'Z');
}

// The game settings_warnings shows a warning of every kind, in line order.
TEST(PlayerSettings, EachUnusableLineWarnsOnceInLineOrder) {
    const struct Case {
        const char* text;
        const char* warning;  // empty: none
    } kCases[] = {
        {"[audio]\nmusic = 100\n", ""},
        {"[audio]\neffects = 5 0\n",
         "t:2: effects needs a whole number from 0 to 100, not '5 0'; ignored"},
        {"[audio]\n\xC3\xA9ttttttttttttttttttttttttttttttttttttt\xC3\xA9\xC3\xA9\n",
         "t:2: no '=' in '\xC3\xA9ttttttttttttttttttttttttttttttttttttt...'; the line is ignored"},
        {"[game x]\nvideo.size = 2\n", "t:2: unknown section 'video' in 'video.size'; ignored"},
    };
    for (const Case& c : kCases) {
        const PlayerSettingsRead read = parsePlayerSettings(c.text, "t", "x");
        if (c.warning[0] == '\0') {
            EXPECT_TRUE(read.warnings.empty()) << c.text;
            continue;
        }
        ASSERT_EQ(read.warnings.size(), 1u) << c.text;
        EXPECT_EQ(read.warnings[0], c.warning);
        EXPECT_EQ(read.settings.musicVolume, kFullVolume) << c.text;
        EXPECT_EQ(read.settings.controls.keyTargets['A'], 'A') << c.text;
    }
}

TEST(PlayerSettings, ManyProblemsAreSummedUpAndAHugeFileIsNotRead) {
    std::string text = "[audio]\n";
    for (int line = 0; line < 1000; ++line) {
        text += "music = loud\n";
    }
    text += "effects = 30\n";
    const PlayerSettingsRead many = parsePlayerSettings(text, "t", "x");
    ASSERT_EQ(many.warnings.size(), kPlayerSettingsMaxWarnings + 1);
    EXPECT_EQ(many.warnings.back(), "t: 980 more lines with problems");
    EXPECT_EQ(many.settings.effectsVolume, 30);

    TemporaryFolder folder;
    std::ofstream(folder.at("huge.ini")) << "[audio]\nmusic = 10\n"
                                         << std::string(kPlayerSettingsMaxBytes, '#');
    const PlayerSettingsRead huge = readPlayerSettings(folder.at("huge.ini"), true, "x");
    ASSERT_EQ(huge.warnings.size(), 1u);
    EXPECT_EQ(huge.warnings[0],
              folder.at("huge.ini") + " is larger than 1 MiB and is not read; the defaults apply");
    EXPECT_EQ(huge.settings.musicVolume, kFullVolume);

    // The usual file may be missing; a file the player named may not.
    EXPECT_TRUE(readPlayerSettings(folder.at("none.ini"), false, "x").warnings.empty());
    EXPECT_EQ(readPlayerSettings(folder.at("none.ini"), true, "x").warnings.size(), 1u);
    EXPECT_EQ(readPlayerSettings(folder.path(), true, "x").warnings.size(), 1u);  // a folder
}

TEST(PlayerSettings, TheFileIsLookedForUnderTheConfigurationFolder) {
    EXPECT_EQ(defaultPlayerSettingsPath("/c", "/h"), "/c/tavro/tavro.ini");
    EXPECT_EQ(defaultPlayerSettingsPath("relative", "/h"), "/h/.config/tavro/tavro.ini");
    EXPECT_EQ(defaultPlayerSettingsPath(nullptr, "/h"), "/h/.config/tavro/tavro.ini");
    EXPECT_EQ(defaultPlayerSettingsPath(nullptr, nullptr), "");
}

}  // namespace
}  // namespace tavro
