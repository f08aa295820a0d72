// The animation table: animation files that cut frames out of one sprite sheet. Each file name
// keeps a stable index for the whole run; its text is fetched through one function the table
// is given (the bundle table of animation files), read once, and answers which rectangle of
// the sheet a running frame counter shows.
//
// An animation file, with every space, tab, line feed and carriage return removed, is a
// name=value; list: `texture` (the sheet's file name), `x` and `y` (the grid's top-left
// corner), `width` and `height` (the cell size) and `animation`, groups {column,row,duration}
// one after another. A missing number reads as 0; a file without groups is a one-frame still
// at the grid origin.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "text/text_string.h"

namespace tavro {

struct FrameRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const FrameRect&, const FrameRect&) = default;
};

// One animation file as read: the sheet and its frames. Durations are tick counts (a
// negative number in the file reads as its unsigned 32-bit value); the total is their sum,
// held at the largest 32-bit count when the sum is larger, so a counter always finds a frame.
struct AnimationSheet {
    TextString textureName;
    std::vector<FrameRect> frames;
    std::vector<uint32_t> durations;  // empty for a one-frame still
    uint32_t totalDuration = 0;
};

// Reads an animation file's unprepared text. Corner positions beyond the 32-bit range are
// held at its ends; nothing here knows the sheet's size (the renderer clamps to it).
AnimationSheet ReadAnimationText(const TextString& text);

// The wrapped counter for a total of T ticks: a counter above T becomes ((counter - 1) mod T)
// + 1, a counter of T or less stays; T = 0 leaves it as it is.
uint32_t WrapFrameCounter(uint32_t counter, uint32_t totalDuration);

// The frame a wrapped counter selects: the first frame whose duration, counted from the
// start, reaches the counter; frame 0 for a still; a zero rectangle for no frames.
FrameRect SheetFrameAt(const AnimationSheet& sheet, uint32_t counter);

// Fetches the whole text of an animation file; false when it cannot be had.
using AnimationTextFetch = std::function<bool(const TextString& fileName, TextString& text)>;

class AnimationTable {
  public:
    // Without a fetch no animation loads.
    AnimationTable() = default;
    explicit AnimationTable(AnimationTextFetch fetch) : fetch_(std::move(fetch)) {}

    // Index of the animation file, loading it when it is not loaded yet; -1 when its text
    // cannot be fetched (the name keeps its index, and a later load tries again).
    int32_t load(const TextString& fileName);
    // The sprite sheet an animation cuts its frames from; empty for an unknown index.
    TextString textureFileName(int32_t animationIndex) const;
    // The frame shown at a frame counter, wrapping the counter through the reference. An
    // animation not loaded is tried again first; an unknown one yields a zero rectangle.
    FrameRect currentFrameRect(int32_t animationIndex, uint32_t& frameCounter);
    // The same lookup without loading or touching the counter; false when the animation is
    // not loaded.
    bool frameRect(int32_t animationIndex, uint32_t frameCounter, FrameRect& rect) const;
    // How many animation files have been read.
    int32_t loadedCount() const;
    // Shut-down: every animation's frames and texture name dropped; the names stay, so a
    // later load reads its file again.
    void freeAnimations();

  private:
    struct Entry {
        TextString name;
        bool loaded = false;
        AnimationSheet sheet;
    };

    const Entry* entryAt(int32_t index) const;

    AnimationTextFetch fetch_;
    std::vector<Entry> entries_;
};

}  // namespace tavro
