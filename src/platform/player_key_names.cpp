#include "platform/player_key_names.h"

#include <charconv>
#include <span>

#include "platform/pad_state.h"
#include "text/ascii_case.h"

namespace tavro {

namespace {

struct PlayerName {
    std::string_view name;
    int32_t code;
};

constexpr PlayerName kNamedKeys[] = {
    {"backspace", 8},    {"tab", 9},           {"enter", 13},         {"shift", 16},
    {"control", 17},     {"ctrl", 17},         {"alt", 18},           {"pause", 19},
    {"capslock", 20},    {"escape", 27},       {"esc", 27},           {"space", 32},
    {"pageup", 33},      {"pagedown", 34},     {"end", 35},           {"home", 36},
    {"left", 37},        {"up", 38},           {"right", 39},         {"down", 40},
    {"printscreen", 44}, {"insert", 45},       {"delete", 46},        {"keypadmultiply", 106},
    {"keypadplus", 107}, {"keypadminus", 109}, {"keypadperiod", 110}, {"keypaddivide", 111},
    {"numlock", 144},    {"scrolllock", 145},  {"semicolon", 186},    {"equals", 187},
    {"comma", 188},      {"minus", 189},       {"period", 190},       {"slash", 191},
    {"backquote", 192},  {"leftbracket", 219}, {"backslash", 220},    {"rightbracket", 221},
    {"quote", 222},
};

// The buttons as a pad with a game-controller mapping numbers them.
constexpr PlayerName kPadNames[] = {
    {"a", 1},
    {"b", 2},
    {"x", 3},
    {"y", 4},
    {"leftshoulder", 5},
    {"rightshoulder", 6},
    {"back", 7},
    {"start", 8},
    {"leftstick", 9},
    {"rightstick", 10},
    {"left", kPadInputLeft},
    {"up", kPadInputUp},
    {"right", kPadInputRight},
    {"down", kPadInputDown},
};

int32_t findName(std::span<const PlayerName> names, std::string_view name) {
    for (const PlayerName& entry : names) {
        if (equalIgnoringAsciiCase(entry.name, name)) {
            return entry.code;
        }
    }
    return 0;
}

// The number after `prefix` in `name` when it lies within [first, last]; 0 otherwise.
int32_t numberAfter(std::string_view name, std::string_view prefix, int32_t first, int32_t last) {
    if (name.size() <= prefix.size() ||
        !equalIgnoringAsciiCase(name.substr(0, prefix.size()), prefix)) {
        return 0;
    }
    const std::string_view digits = name.substr(prefix.size());
    int32_t number = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    const bool whole = error == std::errc() && end == digits.data() + digits.size();
    return whole && digits[0] != '0' && number >= first && number <= last ? number : 0;
}

}  // namespace

int32_t keyCodeForPlayerName(std::string_view name) {
    if (name.size() == 1) {
        const char c = asciiLower(name[0]);
        if (c >= 'a' && c <= 'z') {
            return 'A' + (c - 'a');
        }
        if (c >= '0' && c <= '9') {
            return c;
        }
        return 0;
    }
    if (const int32_t function = numberAfter(name, "f", 1, 12); function != 0) {
        return 111 + function;
    }
    if (name.size() == 7 && equalIgnoringAsciiCase(name.substr(0, 6), "keypad") && name[6] >= '0' &&
        name[6] <= '9') {
        return 96 + (name[6] - '0');
    }
    return findName(kNamedKeys, name);
}

int32_t padInputForPlayerName(std::string_view name) {
    if (const int32_t button = numberAfter(name, "button", 1, 31); button != 0) {
        return button;
    }
    return findName(kPadNames, name);
}

}  // namespace tavro
