// KeyState: the held and once-per-press state of the keyboard keys and the two mouse buttons,
// by virtual-key code (1 and 2 are the left and right mouse buttons).
// Only codes 1..255 exist: any other code tests false and is never stored, so no script value
// can reach outside the table.
#pragma once

#include <bitset>
#include <cstdint>

namespace tavro {

// The window messages that change the key table.
inline constexpr uint32_t kMessageKeyDown = 256;
inline constexpr uint32_t kMessageKeyUp = 257;
inline constexpr uint32_t kMessageLeftButtonDown = 513;
inline constexpr uint32_t kMessageLeftButtonUp = 514;
inline constexpr uint32_t kMessageRightButtonDown = 516;
inline constexpr uint32_t kMessageRightButtonUp = 517;

inline constexpr int32_t kLeftButtonCode = 1;
inline constexpr int32_t kRightButtonCode = 2;
inline constexpr int32_t kKeyCodeCount = 256;

class KeyState {
  public:
    // Applies one of the six key and button messages; any other message changes nothing.
    void onInputMessage(uint32_t message, int64_t wParam);
    // The same as a key-down or key-up message for the code.
    void pressKey(int64_t code);
    void releaseKey(int64_t code);

    bool isKeyDown(int64_t code) const;
    // True once per press: at the first ask after the key went down, false until it goes up.
    bool takeKeyPress(int64_t code);
    bool anyKeyDown() const;
    // Every key reads as released (and not taken) until it is pressed again.
    void releaseAllKeys();

  private:
    static bool isKeyCode(int64_t code) { return code > 0 && code < kKeyCodeCount; }

    std::bitset<kKeyCodeCount> held_;
    std::bitset<kKeyCodeCount> taken_;
};

}  // namespace tavro
