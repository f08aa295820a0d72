#include "shell/command_line.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>
#include <vector>

#include "support/temporary_folder.h"

namespace tavro {
namespace {

// The options read, in one line, or the usage error.
std::string summary(std::vector<std::string_view> arguments) {
    const CommandLineParse result = parseCommandLine(arguments);
    if (!result.ok) {
        return result.error;
    }
    const CommandLineOptions& o = result.options;
    std::ostringstream s;
    s << (o.headless ? "headless " : "") << "frames=" << o.frameLimit
      << " seed=" << (o.seed ? std::to_string(*o.seed) : "-") << (o.answerYes ? "" : " no") << " ["
      << o.screenshotPath << "|" << o.inputPath << "|" << o.audioOutPath << "|" << o.soundFontPath
      << "] dir=" << o.gameDirectory << (o.showHelp ? " help" : "")
      << (o.showVersion ? " version" : "");
    return s.str();
}

TEST(CommandLineTest, ReadsOptionsOrReportsTheUsageError) {
    const std::string frames = "--frames needs a whole number from 1 to 4294967295, not ";
    const std::string seed = "--seed needs a whole number from 0 to 4294967295, not ";
    // clang-format off
    const std::pair<std::vector<std::string_view>, std::string> cases[] = {
        {{}, "frames=0 seed=- [|||] dir="},
        {{"--headless", "--frames", "4294967295", "--screenshot", "shot.png", "--input", "in.txt", "--answer", "no", "--audio-out", "out.wav", "--seed", "4294967295", "--soundfont", "gm.sf2", "games/demo"}, "headless frames=4294967295 seed=4294967295 no [shot.png|in.txt|out.wav|gm.sf2] " "dir=games/demo"},
        {{"--frames=7", "--seed=0", "--help"}, "frames=7 seed=0 [|||] dir= help"},
        {{"--version", "--", "--odd-folder-name"}, "frames=0 seed=- [|||] dir=--odd-folder-name version"},
        {{"--fast"}, "unknown option '--fast'"},
        {{"--frames"}, "option '--frames' needs a value (N)"},
        {{"--screenshot", "--headless"}, "option '--screenshot' needs a value (FILE)"},
        {{"--frames", "0"}, frames + "'0'"},
        {{"--frames", "4294967296"}, frames + "'4294967296'"},
        {{"--seed", "99999999999999999999999"}, seed + "'99999999999999999999999'"},
        {{"--headless", "--answer", "YES"}, "--answer needs yes or no, not 'YES'"},
        {{"--headless=1"}, "option '--headless' takes no value"},
        {{"one", "two"}, "only one game folder can be given, 'two' is a second one"},
        {{"--input", "in.txt"}, "option '--input' only works with --headless"},
    };
    // clang-format on
    for (const auto& [arguments, expected] : cases) {
        EXPECT_EQ(summary(arguments), expected);
    }
    const char* argv[] = {"tavro", "--headless", "game"};
    EXPECT_TRUE(parseCommandLine(3, argv).options.headless) << "the program name is skipped";
}

// The player's options, in one line, or the usage error.
std::string playerSummary(std::vector<std::string_view> arguments) {
    const CommandLineParse result = parseCommandLine(arguments);
    if (!result.ok) {
        return result.error;
    }
    const CommandLineOptions& o = result.options;
    return "scale=" + std::to_string(o.windowScale) + (o.integerScale ? " integer" : "") +
           (!o.fullScreen   ? ""
            : *o.fullScreen ? " fullscreen"
                            : " window") +
           " record=" + o.recordPath +
           (o.settingsPath.empty() ? "" : " settings=" + o.settingsPath) +
           (o.musicVolume ? " music=" + std::to_string(*o.musicVolume) : "") +
           (o.effectsVolume ? " effects=" + std::to_string(*o.effectsVolume) : "");
}

TEST(CommandLineTest, ReadsThePlayersOptions) {
    const std::string scale = "--scale needs a whole number from 1 to 16, not ";
    // clang-format off
    const std::pair<std::vector<std::string_view>, std::string> cases[] = {
        {{}, "scale=0 record="},
        {{"--scale", "3", "--integer-scale", "--fullscreen", "--record", "in.txt"}, "scale=3 integer fullscreen record=in.txt"},
        {{"--window", "--scale=16"}, "scale=16 window record="},
        {{"--headless", "--record", "in.txt", "--fullscreen"}, "scale=0 fullscreen record=in.txt"},
        {{"--scale", "0"}, scale + "'0'"},
        {{"--scale", "17"}, scale + "'17'"},
        {{"--fullscreen", "--window"}, "--fullscreen and --window cannot be given together"},
        {{"--headless", "--scale", "2"}, "option '--scale' does not work with --headless"},
        {{"--integer-scale", "--headless"}, "option '--integer-scale' does not work with --headless"},
        {{"--settings", "my.ini", "--music-volume", "0", "--effects-volume=100"}, "scale=0 record= settings=my.ini music=0 effects=100"},
        {{"--music-volume", "101"}, "--music-volume needs a whole number from 0 to 100, not '101'"},
        {{"--effects-volume", "-5"}, "--effects-volume needs a whole number from 0 to 100, not '-5'"},
        {{"--effects-volume", "half"}, "--effects-volume needs a whole number from 0 to 100, not 'half'"},
    };
    // clang-format on
    for (const auto& [arguments, expected] : cases) {
        EXPECT_EQ(playerSummary(arguments), expected);
    }
}

TEST(CommandLineTest, ReadsTheAuthorsOptions) {
    const std::pair<std::vector<std::string_view>, std::string> cases[] = {
        {{"--watch", "game"}, "watch new="},
        {{"--headless", "--watch"}, "watch new="},
        {{"--new", "mygame"}, "new=mygame"},
        {{"--new"}, "option '--new' needs a value (DIR)"},
        {{"--watch", "--record", "r.txt"}, "--watch cannot be given with --record or --input"},
        {{"--headless", "--watch", "--input", "i.txt"},
         "--watch cannot be given with --record or --input"},
    };
    for (const auto& [arguments, expected] : cases) {
        const CommandLineParse result = parseCommandLine(arguments);
        EXPECT_EQ(result.ok ? std::string(result.options.watch ? "watch " : "") +
                                  "new=" + result.options.newGameDirectory
                            : result.error,
                  expected);
    }
}

TEST(CommandLineTest, VersionAndUsageTexts) {
    EXPECT_EQ(versionText("1.0.0"), "Tavro version 1.00 (build 1.0.0)\n");
    EXPECT_EQ(usageErrorText("unknown option '--x'"),
              "tavro: unknown option '--x'\nTry 'tavro --help' for more information.\n");
}

TEST(CommandLineTest, ChecksTheGameFolder) {
    TemporaryFolder folder;
    folder.writeFile("file", "x");
    folder.writeFile("boot", "");
    folder.writeFile("game.ZIP", "");
    const std::string giveTheFolder =
        "; give the game's folder, the one that holds its \"boot\" file, or its .zip archive";
    std::string error;
    EXPECT_TRUE(checkGameDirectory(folder.path(), error));
    EXPECT_TRUE(checkGameDirectory(folder.at("game.ZIP"), error));
    EXPECT_FALSE(checkGameDirectory(folder.at("missing"), error));
    EXPECT_EQ(error, "there is no folder '" + folder.at("missing") + "'" + giveTheFolder);
    EXPECT_FALSE(checkGameDirectory(folder.at("file"), error));
    EXPECT_EQ(error, "'" + folder.at("file") + "' is a file, not a folder" + giveTheFolder);
    EXPECT_FALSE(checkGameDirectory(folder.at("boot"), error));
    EXPECT_EQ(error, "'" + folder.at("boot") +
                         "' is a game's \"boot\" file; give the folder that holds it: tavro '" +
                         folder.path() + "'");
    if (::geteuid() != 0) {  // the superuser reads every folder
        ::chmod(folder.path().c_str(), 0300);
        EXPECT_FALSE(checkGameDirectory(folder.path(), error));
        EXPECT_EQ(error, "cannot read the folder '" + folder.path() + "' (Permission denied)");
        ::chmod(folder.path().c_str(), 0700);
    }
}

}  // namespace
}  // namespace tavro
