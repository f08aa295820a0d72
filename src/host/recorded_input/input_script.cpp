#include "host/recorded_input/input_script.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>

namespace tavro {
namespace {

struct EventSyntax {
    std::string_view word;
    InputEventKind kind;
    size_t argumentCount;
};

constexpr EventSyntax kEvents[] = {
    {"down", InputEventKind::kKeyDown, 1},          {"up", InputEventKind::kKeyUp, 1},
    {"mouse", InputEventKind::kMouse, 2},           {"pad", InputEventKind::kPad, 4},
    {"deactivate", InputEventKind::kDeactivate, 0}, {"activate", InputEventKind::kActivate, 0},
    {"close", InputEventKind::kClose, 0},
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) {
            ++i;
        }
        size_t start = i;
        while (i < line.size() && !isBlank(line[i])) {
            ++i;
        }
        if (i > start) {
            words.push_back(line.substr(start, i - start));
        }
    }
    return words;
}

// A whole number within [minimum, maximum]: optional '-', then decimal digits or 0x and hex.
bool parseNumber(std::string_view text, int64_t minimum, int64_t maximum, int64_t& value) {
    bool negative = text.starts_with('-');
    if (negative) {
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    uint64_t magnitude = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        magnitude > (uint64_t{1} << 40)) {
        return false;
    }
    value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    return value >= minimum && value <= maximum;
}

class LineParser {
  public:
    explicit LineParser(std::string& error) : error_(error) {}

    // Parses one comment-free line that has words; false with the error set.
    bool parse(const std::vector<std::string_view>& words, InputEvent& event) {
        int64_t number = 0;
        if (!readNumber(words[0], 0, UINT32_MAX, "the frame", number)) {
            return false;
        }
        event.frame = static_cast<uint32_t>(number);
        if (words.size() < 2) {
            error_ = "an event must follow the frame number";
            return false;
        }
        const EventSyntax* syntax = nullptr;
        for (const EventSyntax& candidate : kEvents) {
            if (candidate.word == words[1]) {
                syntax = &candidate;
            }
        }
        if (syntax == nullptr) {
            error_ = "unknown event '" + std::string(words[1]) + "'";
            return false;
        }
        if (words.size() - 2 != syntax->argumentCount) {
            error_ = "'" + std::string(syntax->word) + "' takes " +
                     std::to_string(syntax->argumentCount) + " value(s), not " +
                     std::to_string(words.size() - 2);
            return false;
        }
        event.kind = syntax->kind;
        return arguments(words, event);
    }

  private:
    bool arguments(const std::vector<std::string_view>& words, InputEvent& event) {
        int64_t a = 0, b = 0, c = 0, d = 0;
        switch (event.kind) {
            case InputEventKind::kKeyDown:
            case InputEventKind::kKeyUp:
                if (!readNumber(words[2], 0, 255, "the virtual-key code", a)) {
                    return false;
                }
                event.key = static_cast<int32_t>(a);
                return true;
            case InputEventKind::kMouse:
                if (!readNumber(words[2], INT32_MIN, INT32_MAX, "the cursor x", a) ||
                    !readNumber(words[3], INT32_MIN, INT32_MAX, "the cursor y", b)) {
                    return false;
                }
                event.x = static_cast<int32_t>(a);
                event.y = static_cast<int32_t>(b);
                return true;
            case InputEventKind::kPad:
                if (!readNumber(words[2], 0, 1, "the pad", a) ||
                    !readNumber(words[3], 0, 65535, "the pad x", b) ||
                    !readNumber(words[4], 0, 65535, "the pad y", c) ||
                    !readNumber(words[5], 0, UINT32_MAX, "the button mask", d)) {
                    return false;
                }
                event.pad = static_cast<int32_t>(a);
                event.x = static_cast<int32_t>(b);
                event.y = static_cast<int32_t>(c);
                event.buttons = static_cast<uint32_t>(d);
                return true;
            default:
                return true;
        }
    }

    bool readNumber(std::string_view text, int64_t minimum, int64_t maximum, const char* what,
                    int64_t& value) {
        if (parseNumber(text, minimum, maximum, value)) {
            return true;
        }
        error_ = std::string(what) + " must be a whole number from " + std::to_string(minimum) +
                 " to " + std::to_string(maximum) + ", not '" + std::string(text) + "'";
        return false;
    }

    std::string& error_;
};

}  // namespace

InputScriptParse parseInputScript(std::string_view text, std::string_view sourceName) {
    InputScriptParse result;
    size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        std::vector<std::string_view> words = splitWords(line.substr(0, line.find('#')));
        if (words.empty()) {
            continue;
        }
        InputEvent event;
        std::string error;
        if (!LineParser(error).parse(words, event)) {
            result.error =
                std::string(sourceName) + ":" + std::to_string(lineNumber) + ": " + error;
            result.events.clear();
            return result;
        }
        result.events.push_back(event);
    }
    result.ok = true;
    return result;
}

InputScriptParse readInputScript(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        InputScriptParse result;
        result.error = path + ": cannot read the input file";
        return result;
    }
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return parseInputScript(text, path);
}

std::string formatInputEvent(const InputEvent& event) {
    std::string line = std::to_string(event.frame) + " ";
    for (const EventSyntax& syntax : kEvents) {
        if (syntax.kind == event.kind) {
            line += syntax.word;
        }
    }
    auto add = [&line](int64_t value) { line += " " + std::to_string(value); };
    switch (event.kind) {
        case InputEventKind::kKeyDown:
        case InputEventKind::kKeyUp:
            add(event.key);
            break;
        case InputEventKind::kMouse:
            add(event.x);
            add(event.y);
            break;
        case InputEventKind::kPad:
            add(event.pad);
            add(event.x);
            add(event.y);
            add(event.buttons);
            break;
        default:
            break;
    }
    return line;
}

namespace {

// Cursor and pad events leave a reading behind instead of reaching the window's handler.
bool isReading(const InputEvent& event) {
    return event.kind == InputEventKind::kMouse || event.kind == InputEventKind::kPad;
}

}  // namespace

ScriptedInput::ScriptedInput(std::vector<InputEvent> events) : events_(std::move(events)) {
    std::stable_sort(events_.begin(), events_.end(),
                     [](const InputEvent& a, const InputEvent& b) { return a.frame < b.frame; });
    // Readings of frame 0 hold from the start, so start-up reads the pads' centres from them.
    for (const InputEvent& event : events_) {
        if (event.frame == 0 && isReading(event)) {
            takeReading(event);
        }
    }
}

void ScriptedInput::takeReading(const InputEvent& event) {
    if (event.kind == InputEventKind::kMouse) {
        cursorX_ = event.x;
        cursorY_ = event.y;
    } else if (event.pad == 0 || event.pad == 1) {  // only a hand-built event names another
        padSeen_[event.pad] = true;
        pads_[event.pad] = {static_cast<uint32_t>(event.x), static_cast<uint32_t>(event.y),
                            event.buttons};
    }
}

void ScriptedInput::deliverPending(WindowEventHandler& handler) {
    uint64_t nextFrame = uint64_t{framesCompleted_} + 1;
    while (nextEvent_ < events_.size() && events_[nextEvent_].frame <= nextFrame) {
        const InputEvent& event = events_[nextEvent_++];
        if (isReading(event)) {
            if (event.frame != 0) {  // frame 0's were taken at the start
                takeReading(event);
            }
            continue;
        }
        switch (event.kind) {
            case InputEventKind::kKeyDown:
                handler.keyDown(event.key);
                break;
            case InputEventKind::kKeyUp:
                handler.keyUp(event.key);
                break;
            case InputEventKind::kMouse:
            case InputEventKind::kPad:
                break;
            case InputEventKind::kDeactivate:
                handler.activated(false);
                break;
            case InputEventKind::kActivate:
                handler.activated(true);
                break;
            case InputEventKind::kClose:
                handler.closeRequested();
                break;
        }
    }
}

void ScriptedInput::cursorPosition(int32_t& x, int32_t& y) const {
    x = cursorX_;
    y = cursorY_;
}

bool ScriptedInput::readPad(int32_t pad, PadReading& reading) const {
    if (pad < 0 || pad > 1 || !padSeen_[pad]) {
        return false;
    }
    reading = pads_[pad];
    return true;
}

}  // namespace tavro
