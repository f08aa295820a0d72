#include "shell/command_line.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <vector>

#include "text/ascii_case.h"
#include "text/messages.h"

namespace tavro {
namespace {

enum class OptionKind { kFlag, kValue };

constexpr uint64_t kMaxWindowScale = 16;

struct OptionInfo {
    std::string_view name;
    OptionKind kind;
    bool headlessOnly;
    std::string_view argument;  // shown in the help text
    std::string_view description;
    bool windowOnly = false;
};

constexpr OptionInfo kOptions[] = {
    {"--headless", OptionKind::kFlag, false, "",
     "run without a window or audio device, on a virtual clock"},
    {"--frames", OptionKind::kValue, false, "N", "end after N frames, as if F4 were pressed"},
    {"--screenshot", OptionKind::kValue, false, "FILE",
     "at the end, write the last presented frame as PNG"},
    {"--input", OptionKind::kValue, true, "FILE", "headless: scripted input, one event a line"},
    {"--answer", OptionKind::kValue, true, "yes|no",
     "headless: the answer to every yes/no question (default yes)"},
    {"--audio-out", OptionKind::kValue, true, "FILE",
     "headless: write the mixer's output as a 16-bit stereo WAV"},
    {"--seed", OptionKind::kValue, false, "N", "seed the random generator with N"},
    {"--soundfont", OptionKind::kValue, false, "FILE", "the General MIDI soundfont to use"},
    {"--check", OptionKind::kFlag, false, "",
     "check the game's files, do not run it (exit 1 on a problem)"},
    {"--scale", OptionKind::kValue, false, "N",
     "open the window at N times the game's size (1 to 16; by default, and at most, the "
     "largest that fits the screen)",
     true},
    {"--integer-scale", OptionKind::kFlag, false, "",
     "scale a resized or full-screen window by whole factors only", true},
    {"--fullscreen", OptionKind::kFlag, false, "", "start in full screen, whatever the game says"},
    {"--window", OptionKind::kFlag, false, "", "start in a window, whatever the game says"},
    {"--record", OptionKind::kValue, false, "FILE",
     "write the session's input as an --input script, with its seed"},
    {"--watch", OptionKind::kFlag, false, "",
     "restart the game when one of its files changes; errors keep the last good run"},
    {"--new", OptionKind::kValue, false, "DIR", "make a small runnable game in DIR and exit"},
    {"--settings", OptionKind::kValue, false, "FILE",
     "read the player's settings from FILE instead of ~/.config/tavro/tavro.ini"},
    {"--music-volume", OptionKind::kValue, false, "N", "the music at N percent (0 to 100)"},
    {"--effects-volume", OptionKind::kValue, false, "N",
     "the sound effects at N percent (0 to 100)"},
    {"--save-dir", OptionKind::kValue, false, "DIR",
     "write the game's files to DIR and read them there first"},
    {"--help", OptionKind::kFlag, false, "", "show this help and exit"},
    {"--version", OptionKind::kFlag, false, "", "show the version and exit"},
};

const OptionInfo* findOption(std::string_view name) {
    for (const OptionInfo& option : kOptions) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

// A decimal number within [minimum, maximum], digits only.
bool parseNumber(std::string_view text, uint64_t minimum, uint64_t maximum, uint64_t& value) {
    if (text.empty() || text[0] < '0' || text[0] > '9') {
        return false;
    }
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= minimum &&
           value <= maximum;
}

// Stores one option's value; false with the error set when the value is unusable.
bool applyValue(const OptionInfo& option, std::string_view value, CommandLineOptions& options,
                std::string& error) {
    std::string_view name = option.name;
    uint64_t number = 0;
    if (name == "--frames") {
        if (!parseNumber(value, 1, UINT32_MAX, number)) {
            error = "--frames needs a whole number from 1 to 4294967295, not " + quoted(value);
            return false;
        }
        options.frameLimit = number;
    } else if (name == "--seed") {
        if (!parseNumber(value, 0, UINT32_MAX, number)) {
            error = "--seed needs a whole number from 0 to 4294967295, not " + quoted(value);
            return false;
        }
        options.seed = static_cast<uint32_t>(number);
    } else if (name == "--answer") {
        if (value != "yes" && value != "no") {
            error = "--answer needs yes or no, not " + quoted(value);
            return false;
        }
        options.answerYes = value == "yes";
    } else if (name == "--screenshot") {
        options.screenshotPath = value;
    } else if (name == "--input") {
        options.inputPath = value;
    } else if (name == "--audio-out") {
        options.audioOutPath = value;
    } else if (name == "--soundfont") {
        options.soundFontPath = value;
    } else if (name == "--scale") {
        if (!parseNumber(value, 1, kMaxWindowScale, number)) {
            error = "--scale needs a whole number from 1 to " + std::to_string(kMaxWindowScale) +
                    ", not " + quoted(value);
            return false;
        }
        options.windowScale = static_cast<uint32_t>(number);
    } else if (name == "--record") {
        options.recordPath = value;
    } else if (name == "--new") {
        options.newGameDirectory = value;
    } else if (name == "--settings") {
        options.settingsPath = value;
    } else if (name == "--music-volume" || name == "--effects-volume") {
        if (!parseNumber(value, 0, 100, number)) {
            error = std::string(name) + " needs a whole number from 0 to 100, not " + quoted(value);
            return false;
        }
        (name == "--music-volume" ? options.musicVolume : options.effectsVolume) =
            static_cast<int32_t>(number);
    } else if (name == "--save-dir") {
        options.saveDirectory = value;
    }
    return true;
}

void applyFlag(const OptionInfo& option, CommandLineOptions& options) {
    if (option.name == "--headless") {
        options.headless = true;
    } else if (option.name == "--check") {
        options.check = true;
    } else if (option.name == "--watch") {
        options.watch = true;
    } else if (option.name == "--help") {
        options.showHelp = true;
    } else if (option.name == "--version") {
        options.showVersion = true;
    } else if (option.name == "--integer-scale") {
        options.integerScale = true;
    } else if (option.name == "--fullscreen" || option.name == "--window") {
        options.fullScreen = option.name == "--fullscreen";
    }
}

// Options that contradict each other or the host; false with the error set.
bool checkCombinations(const std::vector<const OptionInfo*>& given,
                       const CommandLineOptions& options, std::string& error) {
    bool fullScreen = false, window = false;
    for (const OptionInfo* option : given) {
        if (option->headlessOnly && !options.headless) {
            error = "option " + quoted(option->name) + " only works with --headless";
            return false;
        }
        if (option->windowOnly && options.headless) {
            error = "option " + quoted(option->name) + " does not work with --headless";
            return false;
        }
        fullScreen = fullScreen || option->name == "--fullscreen";
        window = window || option->name == "--window";
    }
    if (fullScreen && window) {
        error = "--fullscreen and --window cannot be given together";
        return false;
    }
    // A watched game runs again after each change: one recording or input script cannot
    // follow it.
    if (options.watch && (!options.recordPath.empty() || !options.inputPath.empty())) {
        error = "--watch cannot be given with --record or --input";
        return false;
    }
    return true;
}

}  // namespace

CommandLineParse parseCommandLine(std::span<const std::string_view> arguments) {
    CommandLineParse parse;
    CommandLineOptions& options = parse.options;
    std::vector<const OptionInfo*> given;
    bool gameDirectoryGiven = false;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        if (optionsEnded || argument.empty() || argument[0] != '-') {
            if (gameDirectoryGiven) {
                parse.error =
                    "only one game folder can be given, " + quoted(argument) + " is a second one";
                return parse;
            }
            options.gameDirectory = argument;
            gameDirectoryGiven = true;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        size_t equals = argument.find('=');
        std::string_view name = argument.substr(0, equals);
        const OptionInfo* option = findOption(name);
        if (option == nullptr) {
            parse.error = "unknown option " + quoted(name);
            return parse;
        }
        given.push_back(option);
        if (option->kind == OptionKind::kFlag) {
            if (equals != std::string_view::npos) {
                parse.error = "option " + quoted(name) + " takes no value";
                return parse;
            }
            applyFlag(*option, options);
            continue;
        }
        std::string_view value;
        if (equals != std::string_view::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("--")) {
            value = arguments[++i];
        }
        if (value.empty()) {
            parse.error =
                "option " + quoted(name) + " needs a value (" + std::string(option->argument) + ")";
            return parse;
        }
        if (!applyValue(*option, value, options, parse.error)) {
            return parse;
        }
    }
    if (!checkCombinations(given, options, parse.error)) {
        return parse;
    }
    parse.ok = true;
    return parse;
}

CommandLineParse parseCommandLine(int argc, const char* const* argv) {
    std::vector<std::string_view> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    return parseCommandLine(arguments);
}

std::string helpText() {
    std::string text =
        "Usage: tavro [OPTIONS] [GAME_DIR]\n"
        "Runs the game in GAME_DIR, or in the current directory when none is given.\n"
        "GAME_DIR may also be a .zip archive of the game, played as it is.\n\n"
        "Options:\n";
    for (const OptionInfo& option : kOptions) {
        std::string left = "  " + std::string(option.name);
        if (!option.argument.empty()) {
            left += " " + std::string(option.argument);
        }
        left.resize(std::max<size_t>(left.size() + 2, 24), ' ');
        text += left + std::string(option.description) + "\n";
    }
    text +=
        "\nIn the window: F4 ends the game, F11 switches between window and full screen, and\n"
        "Print Screen saves the picture as a PNG under $XDG_DATA_HOME/tavro/screenshots/\n"
        "(~/.local/share/tavro/screenshots/ by default).\n";
    text +=
        "\nThe player's settings (volumes, remapped keys, the pad map) are read from\n"
        "$XDG_CONFIG_HOME/tavro/tavro.ini (~/.config/tavro/tavro.ini by default); see the "
        "README.\n";
    text +=
        "\nThe game's saves go to its folder; to --save-dir when given; and when the folder\n"
        "cannot be written or the game is a .zip, to $XDG_DATA_HOME/tavro/saves/NAME-HASH/.\n";
    text +=
        "\ntavro --export-web GAME_DIR OUT_DIR [--web-build DIR] [--soundfont FILE] writes the\n"
        "game as a web page into OUT_DIR (new or empty): the web build from DIR (by default\n"
        "build-web/, see scripts/build-web), game.zip with each MIDI song rendered to Ogg\n"
        "Vorbis, and font.ttf, IPA Gothic cut down to the game's characters with HarfBuzz.\n"
        "A syntax error in the game refuses the export; other problems are shown.\n";
    text += "\nExit status: 0 for a normal end, 1 when start-up failed, 2 for a usage error.\n";
    return text;
}

std::string versionText(std::string_view buildVersion) {
    return std::string(kVersionName) + " (build " + std::string(buildVersion) + ")\n";
}

std::string usageErrorText(std::string_view error) {
    return "tavro: " + std::string(error) + "\nTry 'tavro --help' for more information.\n";
}

bool checkGameDirectory(const std::string& directory, std::string& error) {
    const std::string giveTheFolder =
        "give the game's folder, the one that holds its \"boot\" file, or its .zip archive";
    struct stat info;
    if (::stat(directory.c_str(), &info) != 0) {
        error = "there is no folder " + quoted(directory) + "; " + giveTheFolder;
        return false;
    }
    const size_t slash = directory.rfind('/');
    const std::string_view name = std::string_view(directory).substr(slash + 1);
    if (!S_ISDIR(info.st_mode) && name == "boot") {
        const std::string holder = slash == std::string::npos ? "." : directory.substr(0, slash);
        error = quoted(directory) +
                " is a game's \"boot\" file; give the folder that holds it: " + "tavro " +
                quoted(holder.empty() ? "/" : holder);
        return false;
    }
    const std::string_view extension = name.substr(name.size() - std::min<size_t>(name.size(), 4));
    if (S_ISREG(info.st_mode) && equalIgnoringAsciiCase(extension, ".zip")) {
        return true;
    }
    if (!S_ISDIR(info.st_mode)) {
        error = quoted(directory) + " is a file, not a folder; " + giveTheFolder;
        return false;
    }
    if (::access(directory.c_str(), R_OK | X_OK) != 0) {
        error = "cannot read the folder " + quoted(directory) + " (" + std::strerror(errno) + ")";
        return false;
    }
    return true;
}

}  // namespace tavro
