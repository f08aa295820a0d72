// The names players write in Tavro's own settings file: keyboard keys ("J", "Enter", "F5",
// "Keypad4") by their virtual-key codes, and pad inputs ("A", "Start", "Left", "Button12") by
// the input numbers the scripts use. Names compare without regard to case.
#pragma once

#include <cstdint>
#include <string_view>

namespace tavro {

// The virtual-key code of a keyboard key's name; 0 for a name that is no key.
int32_t keyCodeForPlayerName(std::string_view name);
// The pad input number (1..31 a button, 32..35 a direction) of a pad input's name; 0 for a
// name that is no pad input.
int32_t padInputForPlayerName(std::string_view name);

}  // namespace tavro
