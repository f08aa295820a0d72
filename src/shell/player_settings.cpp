#include "shell/player_settings.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "platform/player_key_names.h"
#include "shell/engine.h"
#include "text/ascii_case.h"
#include "text/utf8_check.h"

namespace tavro {

namespace {

// F4 ends the game, F11 switches the display mode and Print Screen saves a screenshot: a
// player's key map cannot take them away.
constexpr int32_t kKeysKeptForTavro[] = {kEndKey, kDisplayModeKey, kPrintScreenKey};

std::string_view trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A text quoted in a warning; a long one is cut short (between characters), so a warning
// stays one readable line.
std::string inQuotes(std::string_view text) {
    constexpr size_t kShown = 40;
    if (text.size() <= kShown) {
        return "'" + std::string(text) + "'";
    }
    size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return "'" + std::string(text.substr(0, cut)) + "...'";
}

// One "key = value" line, kept to apply once the whole file has been read.
struct Entry {
    std::string section;
    std::string key;
    std::string value;
    size_t line;
};

class SettingsReader {
  public:
    SettingsReader(std::string_view sourceName, std::string_view gameName)
        : sourceName_(sourceName), gameName_(gameName) {}

    void readLine(std::string_view text, size_t number);
    PlayerSettingsRead finish();

  private:
    enum class SectionKind { kNone, kPlain, kThisGame, kOtherGame, kUnknown };

    void enterSection(std::string_view name, size_t line);
    // Applies one entry; false with a warning when it cannot be used.
    void apply(const Entry& entry, PlayerSettings& settings);
    void applyAudio(const Entry& entry, PlayerSettings& settings);
    void applyKeys(const Entry& entry, PlayerSettings& settings);
    void applyPad(const Entry& entry, PlayerSettings& settings);
    void warn(size_t line, const std::string& text);

    std::string sourceName_;
    std::string gameName_;
    SectionKind kind_ = SectionKind::kNone;
    std::string section_;
    std::vector<Entry> plain_;
    std::vector<Entry> thisGame_;
    PlayerSettings otherGames_;  // other games' entries are checked here, then dropped
    std::vector<std::pair<size_t, std::string>> warnings_;  // by line
};

void SettingsReader::readLine(std::string_view text, size_t number) {
    text = trimmed(text);
    if (text.empty() || text[0] == '#' || text[0] == ';') {
        return;
    }
    if (bool beyondAscii = false; !isValidUtf8(text, beyondAscii)) {
        warn(number, "not UTF-8 text; the line is ignored");
        return;
    }
    if (text.front() == '[') {
        if (text.back() != ']') {
            warn(number, "no ']' closes the section name; the line is ignored");
            return;
        }
        enterSection(trimmed(text.substr(1, text.size() - 2)), number);
        return;
    }
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        warn(number, "no '=' in " + inQuotes(text) + "; the line is ignored");
        return;
    }
    // No value holds a '#': one after the '=' starts a comment.
    const std::string_view value = text.substr(equals + 1);
    Entry entry{section_, std::string(trimmed(text.substr(0, equals))),
                std::string(trimmed(value.substr(0, value.find('#')))), number};
    switch (kind_) {
        case SectionKind::kNone:
            warn(number, inQuotes(entry.key) + " stands before any section; ignored");
            break;
        case SectionKind::kPlain:
            plain_.push_back(std::move(entry));
            break;
        case SectionKind::kThisGame:
        case SectionKind::kOtherGame: {
            const size_t dot = entry.key.find('.');
            if (dot == std::string::npos) {
                warn(number, inQuotes(entry.key) +
                                 " in a game's section needs its section in front (audio., "
                                 "keys. or pad.); ignored");
                break;
            }
            entry.section = entry.key.substr(0, dot);
            entry.key = std::string(trimmed(std::string_view(entry.key).substr(dot + 1)));
            if (kind_ == SectionKind::kThisGame) {
                thisGame_.push_back(std::move(entry));
            } else {
                apply(entry, otherGames_);
            }
            break;
        }
        case SectionKind::kUnknown:
            break;  // warned once, at the section's name
    }
}

void SettingsReader::enterSection(std::string_view name, size_t line) {
    section_ = name;
    if (equalIgnoringAsciiCase(name, "audio") || equalIgnoringAsciiCase(name, "keys") ||
        equalIgnoringAsciiCase(name, "pad")) {
        kind_ = SectionKind::kPlain;
    } else if (name.size() > 5 && equalIgnoringAsciiCase(name.substr(0, 5), "game ")) {
        kind_ =
            trimmed(name.substr(5)) == gameName_ ? SectionKind::kThisGame : SectionKind::kOtherGame;
    } else {
        kind_ = SectionKind::kUnknown;
        warn(line, "unknown section [" + std::string(name) + "]; its lines are ignored");
    }
}

void SettingsReader::apply(const Entry& entry, PlayerSettings& settings) {
    if (equalIgnoringAsciiCase(entry.section, "audio")) {
        applyAudio(entry, settings);
    } else if (equalIgnoringAsciiCase(entry.section, "keys")) {
        applyKeys(entry, settings);
    } else if (equalIgnoringAsciiCase(entry.section, "pad")) {
        applyPad(entry, settings);
    } else {
        warn(entry.line, "unknown section " + inQuotes(entry.section) + " in " +
                             inQuotes(entry.section + "." + entry.key) + "; ignored");
    }
}

void SettingsReader::applyAudio(const Entry& entry, PlayerSettings& settings) {
    int32_t* volume = equalIgnoringAsciiCase(entry.key, "music")     ? &settings.musicVolume
                      : equalIgnoringAsciiCase(entry.key, "effects") ? &settings.effectsVolume
                                                                     : nullptr;
    if (volume == nullptr) {
        warn(entry.line, "unknown key " + inQuotes(entry.key) + " in [audio]; ignored");
        return;
    }
    int32_t number = -1;
    const char* end = entry.value.data() + entry.value.size();
    auto [stop, error] = std::from_chars(entry.value.data(), end, number);
    if (error != std::errc() || stop != end || number < 0 || number > kFullVolume) {
        warn(entry.line, entry.key + " needs a whole number from 0 to 100, not " +
                             inQuotes(entry.value) + "; ignored");
        return;
    }
    *volume = number;
}

void SettingsReader::applyKeys(const Entry& entry, PlayerSettings& settings) {
    const int32_t from = keyCodeForPlayerName(entry.key);
    const int32_t to = keyCodeForPlayerName(entry.value);
    if (from == 0 || to == 0) {
        warn(entry.line,
             "no key is named " + inQuotes(from == 0 ? entry.key : entry.value) + "; ignored");
        return;
    }
    for (int32_t kept : kKeysKeptForTavro) {
        if (from == kept) {
            warn(entry.line, inQuotes(entry.key) +
                                 " cannot be remapped (F4, F11 and Print Screen keep their own "
                                 "work); ignored");
            return;
        }
    }
    settings.controls.keyTargets[static_cast<size_t>(from)] = static_cast<uint8_t>(to);
}

void SettingsReader::applyPad(const Entry& entry, PlayerSettings& settings) {
    if (equalIgnoringAsciiCase(entry.key, "mapping")) {
        constexpr std::pair<std::string_view, PadToKeys> kModes[] = {
            {"auto", PadToKeys::kWhenGameReadsNoPad},
            {"on", PadToKeys::kAlways},
            {"off", PadToKeys::kNever},
        };
        for (const auto& [name, mode] : kModes) {
            if (equalIgnoringAsciiCase(entry.value, name)) {
                settings.controls.padToKeys = mode;
                return;
            }
        }
        warn(entry.line,
             "mapping needs auto, on or off, not " + inQuotes(entry.value) + "; ignored");
        return;
    }
    const int32_t input = padInputForPlayerName(entry.key);
    if (input == 0) {
        warn(entry.line,
             "no pad button or direction is named " + inQuotes(entry.key) + "; ignored");
        return;
    }
    const int32_t key =
        equalIgnoringAsciiCase(entry.value, "none") ? 0 : keyCodeForPlayerName(entry.value);
    if (key == 0 && !equalIgnoringAsciiCase(entry.value, "none")) {
        warn(entry.line, "no key is named " + inQuotes(entry.value) + "; ignored");
        return;
    }
    settings.controls.padKeys[static_cast<size_t>(input)] = static_cast<uint8_t>(key);
}

void SettingsReader::warn(size_t line, const std::string& text) {
    warnings_.emplace_back(line, text);
}

PlayerSettingsRead SettingsReader::finish() {
    PlayerSettingsRead read;
    for (const std::vector<Entry>* entries : {&plain_, &thisGame_}) {
        for (const Entry& entry : *entries) {
            apply(entry, read.settings);
        }
    }
    // Entries are checked when applied, after the whole file was read: warn in line order.
    std::stable_sort(warnings_.begin(), warnings_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [line, text] : warnings_) {
        if (read.warnings.size() == kPlayerSettingsMaxWarnings) {
            read.warnings.push_back(sourceName_ + ": " +
                                    std::to_string(warnings_.size() - read.warnings.size()) +
                                    " more lines with problems");
            break;
        }
        read.warnings.push_back(sourceName_ + ":" + std::to_string(line) + ": " + text);
    }
    return read;
}

}  // namespace

PlayerSettingsRead parsePlayerSettings(std::string_view text, std::string_view sourceName,
                                       std::string_view gameName) {
    SettingsReader reader(sourceName, gameName);
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);  // a byte order mark some editors write
    }
    size_t number = 1;
    for (size_t start = 0; start <= text.size(); ++number) {
        size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end;
        reader.readLine(text.substr(start, end - start), number);
        start = end + 1;
    }
    return reader.finish();
}

PlayerSettingsRead readPlayerSettings(const std::string& path, bool mustExist,
                                      std::string_view gameName) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        PlayerSettingsRead read;
        if (mustExist || std::filesystem::exists(path)) {
            read.warnings.push_back("cannot read the settings file " + path +
                                    "; the defaults apply");
        }
        return read;
    }
    std::string text(kPlayerSettingsMaxBytes + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad()) {
        return {{}, {"cannot read the settings file " + path + "; the defaults apply"}};
    }
    text.resize(static_cast<size_t>(file.gcount()));
    if (text.size() > kPlayerSettingsMaxBytes) {
        return {{}, {path + " is larger than 1 MiB and is not read; the defaults apply"}};
    }
    return parsePlayerSettings(text, path, gameName);
}

std::string defaultPlayerSettingsPath(const char* configHome, const char* home) {
    if (configHome != nullptr && configHome[0] == '/') {
        return std::string(configHome) + "/tavro/tavro.ini";
    }
    if (home != nullptr && home[0] != '\0') {
        return std::string(home) + "/.config/tavro/tavro.ini";
    }
    return {};
}

}  // namespace tavro
