#include "render/animation_table.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "text/named_text_table.h"
#include "text/text_numbers.h"

namespace tavro {

namespace {

int32_t numberValue(const NamedTextTable& table, const char* key) {
    return textToInt(table.valueAt(table.indexOf(key)).cStr());
}

// Positions come from products of file numbers; beyond 32 bits they are held at the ends.
int32_t clampedPosition(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

FrameRect cellRect(int64_t column, int64_t row, int64_t width, int64_t height, int64_t x,
                   int64_t y) {
    return FrameRect{clampedPosition(column * width + x), clampedPosition(row * height + y),
                     clampedPosition((column + 1) * width + x),
                     clampedPosition((row + 1) * height + y)};
}

// The numbers of one group, "column,row,duration"; a missing one is 0.
void readGroup(std::string_view group, int32_t (&numbers)[3]) {
    for (int32_t& number : numbers) {
        const size_t comma = std::min(group.find(','), group.size());
        number = textToInt(std::string(group.substr(0, comma)).c_str());
        group.remove_prefix(std::min(comma + 1, group.size()));
    }
}

}  // namespace

AnimationSheet ReadAnimationText(const TextString& text) {
    TextString stripped(text);
    removeWhitespace(stripped);
    NamedTextTable table;
    readKeyValueText(stripped, table);

    AnimationSheet sheet;
    sheet.textureName = table.valueAt(table.indexOf("texture"));
    const int32_t x = numberValue(table, "x");
    const int32_t y = numberValue(table, "y");
    const int32_t width = numberValue(table, "width");
    const int32_t height = numberValue(table, "height");

    // Groups run from "{" to the next "}" (or the end); text between groups is ignored.
    std::string_view groups = table.valueAt(table.indexOf("animation")).view();
    uint64_t total = 0;
    for (size_t open = groups.find('{'); open != std::string_view::npos; open = groups.find('{')) {
        groups.remove_prefix(open + 1);
        const size_t close = std::min(groups.find('}'), groups.size());
        int32_t numbers[3];
        readGroup(groups.substr(0, close), numbers);
        groups.remove_prefix(std::min(close + 1, groups.size()));
        sheet.frames.push_back(cellRect(numbers[0], numbers[1], width, height, x, y));
        const auto duration = static_cast<uint32_t>(numbers[2]);
        sheet.durations.push_back(duration);
        total += duration;
    }
    if (sheet.frames.empty()) {
        sheet.frames.push_back(cellRect(0, 0, width, height, x, y));
    }
    sheet.totalDuration =
        static_cast<uint32_t>(std::min<uint64_t>(total, std::numeric_limits<uint32_t>::max()));
    return sheet;
}

uint32_t WrapFrameCounter(uint32_t counter, uint32_t totalDuration) {
    if (totalDuration == 0 || counter <= totalDuration) {
        return counter;
    }
    return (counter - 1) % totalDuration + 1;
}

FrameRect SheetFrameAt(const AnimationSheet& sheet, uint32_t counter) {
    if (sheet.totalDuration == 0) {
        return sheet.frames.empty() ? FrameRect{} : sheet.frames.front();
    }
    uint32_t remaining = counter;
    for (size_t i = 0; i < sheet.durations.size(); ++i) {
        if (remaining <= sheet.durations[i]) {
            return sheet.frames[i];
        }
        remaining -= sheet.durations[i];
    }
    return FrameRect{};  // not reached: the durations add up to at least the total
}

int32_t AnimationTable::load(const TextString& fileName) {
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [&](const Entry& entry) { return entry.name == fileName; });
    if (found == entries_.end()) {
        entries_.push_back(Entry{fileName, false, {}});
        found = entries_.end() - 1;
    }
    const auto index = static_cast<int32_t>(found - entries_.begin());
    if (found->loaded) {
        return index;
    }
    TextString text;
    if (!fetch_ || !fetch_(fileName, text)) {
        return -1;
    }
    found->sheet = ReadAnimationText(text);
    found->loaded = true;
    return index;
}

TextString AnimationTable::textureFileName(int32_t animationIndex) const {
    const Entry* entry = entryAt(animationIndex);
    return entry != nullptr && entry->loaded ? entry->sheet.textureName : TextString{};
}

FrameRect AnimationTable::currentFrameRect(int32_t animationIndex, uint32_t& frameCounter) {
    const Entry* entry = entryAt(animationIndex);
    if (entry == nullptr) {
        return FrameRect{};
    }
    if (!entry->loaded) {
        load(TextString(entry->name));
        entry = entryAt(animationIndex);
    }
    frameCounter = WrapFrameCounter(frameCounter, entry->sheet.totalDuration);
    return SheetFrameAt(entry->sheet, frameCounter);
}

bool AnimationTable::frameRect(int32_t animationIndex, uint32_t frameCounter,
                               FrameRect& rect) const {
    const Entry* entry = entryAt(animationIndex);
    if (entry == nullptr || !entry->loaded) {
        return false;
    }
    rect = SheetFrameAt(entry->sheet, WrapFrameCounter(frameCounter, entry->sheet.totalDuration));
    return true;
}

int32_t AnimationTable::loadedCount() const {
    return static_cast<int32_t>(std::count_if(entries_.begin(), entries_.end(),
                                              [](const Entry& entry) { return entry.loaded; }));
}

void AnimationTable::freeAnimations() {
    for (Entry& entry : entries_) {
        entry.loaded = false;
        entry.sheet = AnimationSheet{};
    }
}

const AnimationTable::Entry* AnimationTable::entryAt(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size()) {
        return nullptr;
    }
    return &entries_[static_cast<size_t>(index)];
}

}  // namespace tavro
