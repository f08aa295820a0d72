#include "shell/command_line.h"

#include <gtest/gtest.h>
#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <vector>

namespace tavro {
namespace {

CommandLineParse parse(std::vector<std::string_view> arguments) {
    return parseCommandLine(arguments);
}

TEST(CommandLineTest, AcceptsEveryOption) {
    CommandLineParse result =
        parse({"--headless", "--frames", "120", "--screenshot", "shot.png", "--input", "in.txt",
               "--answer", "no", "--audio-out", "out.wav", "--seed", "4294967295", "--soundfont",
               "gm.sf2", "games/demo"});
    ASSERT_TRUE(result.ok) << result.error;
    const CommandLineOptions& options = result.options;
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.frameLimit, 120u);
    EXPECT_EQ(options.screenshotPath, "shot.png");
    EXPECT_EQ(options.inputPath, "in.txt");
    EXPECT_FALSE(options.answerYes);
    EXPECT_EQ(options.audioOutPath, "out.wav");
    EXPECT_EQ(options.seed, 4294967295u);
    EXPECT_EQ(options.soundFontPath, "gm.sf2");
    EXPECT_EQ(options.gameDirectory, "games/demo");
    EXPECT_FALSE(options.showHelp || options.showVersion);
}

TEST(CommandLineTest, NoArgumentsRunTheCurrentDirectoryAsIs) {
    CommandLineParse result = parse({});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.options.gameDirectory, "");
    EXPECT_FALSE(result.options.headless);
    EXPECT_EQ(result.options.frameLimit, 0u);
    EXPECT_TRUE(result.options.answerYes);
    EXPECT_FALSE(result.options.seed.has_value());
}

TEST(CommandLineTest, ReadsValueFormsAndFlags) {
    struct Case {
        std::vector<std::string_view> arguments;
        uint64_t frames;
        std::optional<uint32_t> seed;
        std::string gameDirectory;
        bool help, version;
    };
    const Case cases[] = {
        {{"--frames=7", "--seed=0"}, 7, 0u, "", false, false},
        {{"--seed", "42", "dir"}, 0, 42u, "dir", false, false},
        {{"--", "--odd-folder-name"}, 0, std::nullopt, "--odd-folder-name", false, false},
        {{"--help"}, 0, std::nullopt, "", true, false},
        {{"--version", "game"}, 0, std::nullopt, "game", false, true},
        {{"--frames", "4294967295"}, 4294967295u, std::nullopt, "", false, false},
    };
    for (const Case& c : cases) {
        CommandLineParse result = parse(c.arguments);
        ASSERT_TRUE(result.ok) << c.arguments[0] << ": " << result.error;
        EXPECT_EQ(result.options.frameLimit, c.frames) << c.arguments[0];
        EXPECT_EQ(result.options.seed, c.seed) << c.arguments[0];
        EXPECT_EQ(result.options.gameDirectory, c.gameDirectory) << c.arguments[0];
        EXPECT_EQ(result.options.showHelp, c.help) << c.arguments[0];
        EXPECT_EQ(result.options.showVersion, c.version) << c.arguments[0];
    }
}

TEST(CommandLineTest, ReportsUsageErrorsInOneLine) {
    struct Case {
        std::vector<std::string_view> arguments;
        std::string error;
    };
    const Case cases[] = {
        {{"--fast"}, "unknown option '--fast'"},
        {{"-h"}, "unknown option '-h'"},
        {{"--frames"}, "option '--frames' needs a value (N)"},
        {{"--screenshot", "--headless"}, "option '--screenshot' needs a value (FILE)"},
        {{"--input="}, "option '--input' needs a value (FILE)"},
        {{"--frames", "ten"}, "--frames needs a whole number from 1 to 4294967295, not 'ten'"},
        {{"--frames", "0"}, "--frames needs a whole number from 1 to 4294967295, not '0'"},
        {{"--frames", "12x"}, "--frames needs a whole number from 1 to 4294967295, not '12x'"},
        {{"--frames", "4294967296"},
         "--frames needs a whole number from 1 to 4294967295, not '4294967296'"},
        {{"--seed", "-1"}, "--seed needs a whole number from 0 to 4294967295, not '-1'"},
        {{"--seed", "99999999999999999999999"},
         "--seed needs a whole number from 0 to 4294967295, not '99999999999999999999999'"},
        {{"--headless", "--answer", "YES"}, "--answer needs yes or no, not 'YES'"},
        {{"--headless=1"}, "option '--headless' takes no value"},
        {{"one", "two"}, "only one game folder can be given, 'two' is a second one"},
        {{"--input", "in.txt"}, "option '--input' only works with --headless"},
        {{"--answer", "no"}, "option '--answer' only works with --headless"},
        {{"--audio-out", "a.wav"}, "option '--audio-out' only works with --headless"},
    };
    for (const Case& c : cases) {
        CommandLineParse result = parse(c.arguments);
        EXPECT_FALSE(result.ok) << c.error;
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.error.find('\n'), std::string::npos);
    }
}

TEST(CommandLineTest, ArgvFormSkipsTheProgramName) {
    const char* argv[] = {"tavro", "--headless", "game"};
    CommandLineParse result = parseCommandLine(3, argv);
    ASSERT_TRUE(result.ok);
    EXPECT_TRUE(result.options.headless);
    EXPECT_EQ(result.options.gameDirectory, "game");
}

TEST(CommandLineTest, HelpListsEveryOptionAndVersionNamesTheBuild) {
    std::string help = helpText();
    for (const char* option : {"GAME_DIR", "--headless", "--frames N", "--screenshot FILE",
                               "--input FILE", "--answer yes|no", "--audio-out FILE", "--seed N",
                               "--soundfont FILE", "--help", "--version"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(versionText("1.0.0"), "Tavro version 1.00 (build 1.0.0)\n");
    EXPECT_EQ(usageErrorText("unknown option '--x'"),
              "tavro: unknown option '--x'\nTry 'tavro --help' for more information.\n");
}

class CommandLineFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavro-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    void touch(const std::string& name) { std::ofstream(folder + "/" + name) << "x"; }

    std::string folder;
};

TEST_F(CommandLineFolderTest, ChecksTheGameFolder) {
    touch("file");
    std::string error;
    EXPECT_TRUE(checkGameDirectory(folder, error));
    EXPECT_FALSE(checkGameDirectory(folder + "/missing", error));
    EXPECT_EQ(error, "game folder '" + folder + "/missing' does not exist");
    EXPECT_FALSE(checkGameDirectory(folder + "/file", error));
    EXPECT_EQ(error, "'" + folder + "/file' is not a folder");
}

TEST_F(CommandLineFolderTest, FindsTheFirstUsualSoundFont) {
    EXPECT_EQ(findDefaultSoundFont(folder), "");
    touch("TimGM6mb.sf2");
    EXPECT_EQ(findDefaultSoundFont(folder), folder + "/TimGM6mb.sf2");
    touch("FluidR3_GM.sf2");
    EXPECT_EQ(findDefaultSoundFont(folder), folder + "/FluidR3_GM.sf2");
    touch("default-GM.sf2");
    EXPECT_EQ(findDefaultSoundFont(folder), folder + "/default-GM.sf2");
}

}  // namespace
}  // namespace tavro
