// Windows virtual-key codes for SDL key codes, the numbering scripts test keys by.
#pragma once

#include <cstdint>

namespace tavro {

// The virtual-key code (1..255) of an SDL key code; 0 for a key without one.
int32_t virtualKeyFromSdlKeycode(int32_t keycode);

}  // namespace tavro
