#include "platform/key_names.h"

#include <array>
#include <string>

#include "platform/pad_state.h"
#include "text/text_functions.h"
#include "text/text_numbers.h"

namespace tavro {

namespace {

struct NamedKey {
    std::string_view name;
    int32_t code;
};

constexpr NamedKey kNamedKeys[] = {
    {"lbutton", 1},  {"rbutton", 2}, {"tab", 9},     {"enter", 13}, {"shift", 16},
    {"control", 17}, {"alt", 18},    {"escape", 27}, {"space", 32}, {"left", 37},
    {"up", 38},      {"right", 39},  {"down", 40},
};

// Direction suffixes compare over their own length only, so "upper" counts as "up".
constexpr NamedKey kPadDirections[] = {
    {"left", kPadInputLeft},
    {"right", kPadInputRight},
    {"up", kPadInputUp},
    {"down", kPadInputDown},
};

// First letters that never stand for their own key: too many key names begin with them.
constexpr std::string_view kLettersWithoutKey = "acdelprstu";

KeyNameValue padValue(int32_t device, std::string_view suffix) {
    for (const NamedKey& direction : kPadDirections) {
        if (suffix.starts_with(direction.name)) {
            return {true, device | direction.code, {}};
        }
    }
    const std::string text(suffix);
    if (textIsNumber(text.c_str())) {
        return {true, device | textToInt(text.c_str()), {}};
    }
    return {true, device, suffix};
}

}  // namespace

KeyNameValue keyValueForName(std::string_view name) {
    for (const NamedKey& key : kNamedKeys) {
        if (name == key.name) {
            return {true, key.code, {}};
        }
    }
    if (name.starts_with("pad1.")) {
        return padValue(kPad1Device, name.substr(5));
    }
    if (name.starts_with("pad2.")) {
        return padValue(kPad2Device, name.substr(5));
    }
    const char first = name.empty() ? '\0' : name.front();
    if (first != '\0' && kLettersWithoutKey.find(first) != std::string_view::npos) {
        return {};
    }
    return {true, static_cast<int32_t>(static_cast<signed char>(first)), {}};
}

std::span<const std::string_view> namedKeyNames() {
    static const auto names = [] {
        std::array<std::string_view, std::size(kNamedKeys)> all{};
        for (size_t i = 0; i < std::size(kNamedKeys); ++i) {
            all[i] = kNamedKeys[i].name;
        }
        return all;
    }();
    return names;
}

}  // namespace tavro
