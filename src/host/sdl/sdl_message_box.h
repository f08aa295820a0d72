// One of Tavro's message boxes in a window of its own, over every other window, until it is
// answered. Enter picks the default (first) button, Escape and closing the window the last
// one; on a Yes/No box, Y and N pick Yes and No; a click picks the button under the pointer.
// In a web page the box is drawn over the game's canvas instead (sdl_message_box_web.cpp).
#pragma once

#include <cstdint>

#include "host/font_renderer.h"
#include "host/sdl/message_box_picture.h"

namespace tavro {

// Where a desktop is present (DISPLAY or WAYLAND_DISPLAY is set).
bool DesktopPresent();

// The index of the button chosen; -1 when no box could be shown. The title is UTF-8.
int32_t RunMessageBox(FontRenderer& fonts, const char* title, const MessageBoxContent& content);

}  // namespace tavro
