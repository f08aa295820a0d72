// What answers one of Tavro's message boxes: Enter picks the default (first) button, Escape the
// last one; on a Yes/No box, Y and N pick Yes and No; a click picks the button under the pointer.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "host/sdl/message_box_picture.h"

namespace tavro {

// The button a key picks on a box of that many buttons, or -1.
int32_t MessageBoxButtonForKey(SDL_Keycode key, int32_t buttons);

// The button at x, y of the box's picture, or -1.
int32_t MessageBoxButtonAt(const MessageBoxPicture& picture, int32_t x, int32_t y);

}  // namespace tavro
