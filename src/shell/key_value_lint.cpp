#include "shell/key_value_lint.h"

#include <algorithm>
#include <array>
#include <map>

#include "shell/name_suggestion.h"
#include "shell/settings.h"
#include "shell/source_pieces.h"
#include "text/ascii_case.h"
#include "text/text_functions.h"
#include "text/utf8_check.h"

namespace tavro {

namespace {

constexpr std::string_view kSections[] = {"TASK", "IMAGE", "SOUND", "SCRIPT", "CONSTRACT"};
constexpr auto kSettingNames = [] {
    std::array<std::string_view, std::size(kSettingKeys)> names{};
    for (size_t i = 0; i < names.size(); ++i) {
        names[i] = kSettingKeys[i].name;
    }
    return names;
}();

const SettingKey* settingKeyNamed(std::string_view name) {
    const auto found = std::find_if(std::begin(kSettingKeys), std::end(kSettingKeys),
                                    [name](const SettingKey& key) { return key.name == name; });
    return found == std::end(kSettingKeys) ? nullptr : found;
}
constexpr std::string_view kAnimationKeys[] = {"texture", "x", "y", "width", "height", "animation"};
constexpr std::string_view kAnimationNumbers[] = {"x", "y", "width", "height"};

template <size_t N>
bool isOneOf(std::string_view word, const std::string_view (&words)[N]) {
    return std::find(std::begin(words), std::end(words), word) != std::end(words);
}

// An optional sign, digits with at most one decimal point, at least one digit.
bool isNumberText(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    bool digit = false, point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

struct Entry {
    const SourcePiece* piece = nullptr;
    std::string_view name;
    std::string_view value;
    size_t valueStart = 0;  // offset of the value in the piece
};

// The groups of a list section's value, "{a,b}{c,d}", with the text found outside them.
struct Groups {
    std::vector<std::vector<std::string_view>> fields;
    std::string_view outside;  // the first text outside any group
};

Groups splitGroups(std::string_view value) {
    Groups groups;
    int depth = 0;
    size_t start = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (isLeadByte(c)) {
            ++i;
        } else if (c == '{' && depth++ == 0) {
            start = i + 1;
        } else if (c == '}' && depth > 0 && --depth == 0) {
            std::vector<std::string_view> fields;
            std::string_view group = value.substr(start, i - start);
            for (size_t comma; (comma = group.find(',')) != std::string_view::npos;) {
                fields.push_back(group.substr(0, comma));
                group.remove_prefix(comma + 1);
            }
            fields.push_back(group);
            groups.fields.push_back(std::move(fields));
        } else if (depth == 0 && groups.outside.empty()) {
            size_t end = value.find('{', i);
            groups.outside = value.substr(i, end == std::string_view::npos ? end : end - i);
        }
    }
    return groups;
}

// The entries of a key-value file with the checks every such file gets: a ";" missing (two
// "=" in one entry), no "=", a name given twice.
class KeyValueLinter {
  public:
    KeyValueLinter(const std::string& file, std::string_view raw, std::string_view kind)
        : file_(file), pieces_(keyValueEntries(raw)), kind_(kind) {}

    std::vector<Entry> entries() {
        std::vector<Entry> entries;
        std::map<std::string_view, int32_t> seen;
        for (const SourcePiece& piece : pieces_) {
            const std::string_view text = piece.text;
            if (text.empty()) {
                continue;
            }
            const size_t equals = text.find('=');
            if (equals == std::string_view::npos) {
                add(piece.line(), quoted(text) + " has no \"=\": it is read as a " +
                                      std::string(kind_) + " name without a value");
                continue;
            }
            Entry entry{&piece, text.substr(0, equals), {}, equals + 1};
            const size_t second = text.find('=', equals + 1);
            entry.value =
                text.substr(equals + 1, second == std::string_view::npos ? std::string_view::npos
                                                                         : second - equals - 1);
            if (second != std::string_view::npos) {
                // Judged as far as the swallowed entry, which is reported.
                entry.value = entry.value.substr(0, reportRunOn(piece, entry, second));
            }
            if (auto [at, fresh] = seen.emplace(entry.name, piece.line()); !fresh) {
                add(piece.line(),
                    quoted(entry.name) + " is given again: this value replaces the one of line " +
                        std::to_string(at->second),
                    ProblemSeverity::kWarning);
            }
            entries.push_back(entry);
        }
        return entries;
    }

    void add(int32_t line, std::string text, ProblemSeverity severity = ProblemSeverity::kError) {
        problems_.push_back({file_, line, severity, std::move(text)});
    }

    std::vector<CheckProblem> takeProblems() { return std::move(problems_); }

  private:
    // name=value<missing ;>next=...: the next entry starts on the line of the second "=".
    // Returns the length of the value before it.
    size_t reportRunOn(const SourcePiece& piece, const Entry& entry, size_t second) {
        const int32_t nextLine = piece.lines[second];
        size_t start = entry.valueStart;
        while (start < second && piece.lines[start] != nextLine) {
            ++start;
        }
        const std::string_view lost = std::string_view(piece.text).substr(start, second - start);
        if (start > entry.valueStart) {
            add(piece.line(),
                "a \";\" is missing at the end of line " + std::to_string(piece.lines[start - 1]) +
                    ": " + quoted(entry.name) + " runs on into line " + std::to_string(nextLine) +
                    ", and the " + std::string(kind_) + " " + quoted(lost) + " there is lost");
        } else {
            add(piece.line(), "a \";\" is missing between " + quoted(entry.name) +
                                  " and the next " + std::string(kind_) +
                                  ", which is lost: " + quoted(piece.text));
        }
        return start - entry.valueStart;
    }

    const std::string& file_;
    std::vector<SourcePiece> pieces_;
    std::string_view kind_;
    std::vector<CheckProblem> problems_;
};

void lintNumber(KeyValueLinter& linter, const Entry& entry, std::string_view what) {
    if (!isNumberText(entry.value)) {
        const bool leading = !entry.value.empty() && isNumberText(entry.value.substr(0, 1));
        linter.add(entry.piece->line(),
                   quoted(entry.value) + " is no number: " + std::string(what) + " " +
                       quoted(entry.name) + " takes " +
                       (leading ? "only the number it starts with" : "0"),
                   ProblemSeverity::kWarning);
    }
}

void lintUnknownName(KeyValueLinter& linter, const Entry& entry,
                     std::span<const std::string_view> known, std::string_view kind) {
    const std::string_view meant = closestName(entry.name, known, 2);
    if (!meant.empty()) {
        linter.add(entry.piece->line(), quoted(entry.name) + " is no " + std::string(kind) +
                                            ": did you mean " + quoted(meant) +
                                            "? Names are case-sensitive");
    }
}

void lintSection(KeyValueLinter& linter, const Entry& entry, TaskSections& sections) {
    const Groups groups = splitGroups(entry.value);
    const int32_t line = entry.piece->line();
    if (!groups.outside.empty()) {
        linter.add(
            line, quoted(groups.outside) + " is outside the {...} groups of " + quoted(entry.name) +
                      " and is ignored: write " +
                      quoted(std::string(entry.name) + "={" + std::string(groups.outside) + "}"));
    }
    const bool named = entry.name == "IMAGE" || entry.name == "SOUND";
    for (const auto& fields : groups.fields) {
        if (named && (fields.size() < 2 || fields[1].empty())) {
            linter.add(line, "the group {" + std::string(fields[0]) + "} of " + quoted(entry.name) +
                                 " names no file: write {name,file}");
        } else if (fields[0].empty()) {
            linter.add(line, "an empty group in " + quoted(entry.name));
        }
        if (named) {
            (entry.name == "IMAGE" ? sections.images : sections.sounds).emplace_back(fields[0]);
        }
        if (entry.name == "IMAGE" && fields.size() >= 2) {
            sections.imageFiles.emplace_back(fields[1]);
        }
        if (entry.name == "SCRIPT" || entry.name == "CONSTRACT") {
            sections.scripts.emplace_back(fields[0]);
        }
    }
}

}  // namespace

TaskLint lintTaskFile(const std::string& file, std::string_view raw) {
    KeyValueLinter linter(file, raw, "entry");
    TaskLint lint;
    TaskSections& sections = lint.sections;
    for (const Entry& entry : linter.entries()) {
        if (isOneOf(entry.name, kSections)) {
            lintSection(linter, entry, sections);
            continue;
        }
        if (entry.value.find('{') == std::string_view::npos) {
            lintNumber(linter, entry, "the variable");
            continue;
        }
        const std::string_view meant = closestName(entry.name, kSections, 2);
        if (!meant.empty()) {
            linter.add(entry.piece->line(),
                       quoted(entry.name) + " is no section: did you mean " + quoted(meant) +
                           "? As written it sets a variable and its groups are ignored");
        } else {
            linter.add(entry.piece->line(),
                       quoted(entry.name) +
                           " holds {...} groups but is no section (TASK, IMAGE, SOUND, SCRIPT, "
                           "CONSTRACT): it sets a variable and the groups are ignored");
        }
    }
    lint.problems = linter.takeProblems();
    return lint;
}

std::vector<CheckProblem> lintSettingsFile(const std::string& file, std::string_view raw) {
    KeyValueLinter linter(file, raw, "setting");
    for (const Entry& entry : linter.entries()) {
        const SettingKey* key = settingKeyNamed(entry.name);
        if (key == nullptr) {
            lintUnknownName(linter, entry, kSettingNames, "setting");
            continue;
        }
        if (key->kind == SettingKind::kNumber && !entry.value.empty()) {
            lintNumber(linter, entry, "the setting");
        }
        if (key->kind == SettingKind::kSwitch && !entry.value.empty() && entry.value != "true" &&
            entry.value != "false") {
            linter.add(entry.piece->line(),
                       "only \"true\", in lower case, switches " + quoted(entry.name) +
                           " on: " + quoted(entry.value) + " leaves it off",
                       equalIgnoringAsciiCase(entry.value, "true") ? ProblemSeverity::kError
                                                                   : ProblemSeverity::kWarning);
        }
        const SourcePiece& piece = *entry.piece;
        for (size_t i = entry.valueStart + 1; i < entry.valueStart + entry.value.size(); ++i) {
            if (piece.spaceBefore[i]) {
                linter.add(piece.lineAt(i),
                           "the space in the value of " + quoted(entry.name) +
                               " is removed when the settings are read: write \\s for a space",
                           ProblemSeverity::kWarning);
                break;
            }
        }
    }
    return linter.takeProblems();
}

std::vector<CheckProblem> lintAnimationFile(const std::string& file, std::string_view raw) {
    KeyValueLinter linter(file, raw, "entry");
    for (const Entry& entry : linter.entries()) {
        if (!isOneOf(entry.name, kAnimationKeys)) {
            lintUnknownName(linter, entry, kAnimationKeys, "animation key");
        } else if (isOneOf(entry.name, kAnimationNumbers)) {
            lintNumber(linter, entry, "the key");
        }
    }
    return linter.takeProblems();
}

std::vector<CheckProblem> lintEncoding(const std::string& file, std::string_view raw) {
    bool beyondAscii = false;
    if (!isValidUtf8(raw, beyondAscii) || !beyondAscii) {
        return {};
    }
    size_t first = 0;
    while (static_cast<unsigned char>(raw[first]) < 0x80) {
        ++first;
    }
    const int32_t line =
        1 + static_cast<int32_t>(std::count(raw.begin(), raw.begin() + first, '\n'));
    const std::string name(file);
    return {{file, line, ProblemSeverity::kError,
             "the file is UTF-8, but Tavro reads text as Shift-JIS, so its characters come out "
             "garbled: convert it with \"iconv -f UTF-8 -t CP932 " +
                 name + " > " + name + ".sjis && mv " + name + ".sjis " + name + "\""}};
}

}  // namespace tavro
