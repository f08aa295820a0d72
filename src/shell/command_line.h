// Tavro's command line: tavro [OPTIONS] [GAME_DIR]. With neither, the game in the current
// directory runs exactly as it would on Windows. Parsing is pure; checking the game folder
// and acting on the options are left to the start-up.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavro {

// The process exit status.
enum ExitStatus : int {
    kExitNormal = 0,
    kExitStartupFailed = 1,
    kExitUsageError = 2,
};

struct CommandLineOptions {
    std::string gameDirectory;  // empty: the current directory
    bool headless = false;
    uint64_t frameLimit = 0;     // end after this many frames; 0: no limit
    std::string screenshotPath;  // empty: no screenshot
    std::string inputPath;       // headless scripted input; empty: none
    bool answerYes = true;       // headless answer to every yes/no question
    std::string audioOutPath;    // headless WAV of the mixer's output; empty: none
    std::optional<uint32_t> seed;
    std::string soundFontPath;       // empty: the usual places are searched
    bool check = false;              // check the game's files and scripts instead of running it
    uint32_t windowScale = 0;        // the window's size in game sizes; 0: as many as fit
    bool integerScale = false;       // a resized or full-screen window scales by whole factors
    std::optional<bool> fullScreen;  // --fullscreen or --window: overrides the game's setting
    std::string recordPath;          // the session's input is written here; empty: not recorded
    bool watch = false;              // restart the game when one of its files changes
    std::string newGameDirectory;    // make a new game here instead of running one
    // The player's settings file (empty: the usual one) and the volumes, 0 to 100, that
    // override what it says.
    std::string settingsPath;
    std::optional<int32_t> musicVolume;
    std::optional<int32_t> effectsVolume;
    std::string saveDirectory;  // the game's writes go here; empty: the usual place
    bool showHelp = false;
    bool showVersion = false;
};

struct CommandLineParse {
    bool ok = false;
    CommandLineOptions options;
    std::string error;  // one line, set when not ok
};

// Parses the arguments after the program name.
CommandLineParse parseCommandLine(std::span<const std::string_view> arguments);
CommandLineParse parseCommandLine(int argc, const char* const* argv);

// The --help text, every option with a line of its own.
std::string helpText();
// The --version text; buildVersion is the version the executable was built as.
std::string versionText(std::string_view buildVersion);
// What standard error shows for a usage error.
std::string usageErrorText(std::string_view error);

// False, with a one-line message for someone new to Tavro, when the game folder does not
// exist, is a file other than a .zip archive, or cannot be read.
bool checkGameDirectory(const std::string& directory, std::string& error);

}  // namespace tavro
