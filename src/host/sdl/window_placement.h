// Keeping the window where the player can see it: a position from a settings file written on
// another desktop may lie outside every display of this one.
#pragma once

#include <cstdint>
#include <vector>

namespace tavro {

struct ScreenRect {
    int32_t x = 0, y = 0, width = 0, height = 0;
};

// The window's top-left corner: unchanged when any part of the window lies on one of the
// displays, otherwise the top-left corner of the primary display (the first one listed).
// Without displays the position is kept.
void KeepWindowOnDisplays(ScreenRect& window, const std::vector<ScreenRect>& displays);

// The frame of a window Tavro grew past the game's own size, moved back inside the usable area
// where it reaches past it: the game chose its position for its own size, and the growth must
// not push part of the picture off the screen. A frame larger than the area keeps its top-left
// corner in it.
void KeepGrownWindowInside(ScreenRect& frame, const ScreenRect& usable);

// The largest whole factor (1 at least) by which a game of this size fits the usable area.
int32_t FittingFactor(int32_t gameWidth, int32_t gameHeight, const ScreenRect& usable);

}  // namespace tavro
