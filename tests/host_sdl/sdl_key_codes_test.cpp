#include "host/sdl/sdl_key_codes.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace tavro {
namespace {

TEST(SdlKeyCodesTest, MapsKeysToTheirVirtualKeyCodes) {
    const std::pair<SDL_Keycode, int32_t> cases[] = {
        {SDLK_a, 65},        {SDLK_9, 57},      {SDLK_F4, 115},   {SDLK_F12, 123},
        {SDLK_KP_ENTER, 13}, {SDLK_RSHIFT, 16}, {SDLK_RCTRL, 17}, {SDLK_LALT, 18},
        {SDLK_ESCAPE, 27},   {SDLK_DOWN, 40},   {SDLK_KP_9, 105}, {SDLK_SEMICOLON, 186},
        {SDLK_QUOTE, 222},   {SDLK_DELETE, 46}, {SDLK_F13, 0},    {SDLK_AUDIOPLAY, 0},
    };
    for (const auto& [sdl, virtualKey] : cases) {
        EXPECT_EQ(virtualKeyFromSdlKeycode(sdl), virtualKey) << SDL_GetKeyName(sdl);
    }
}

TEST(SdlKeyCodesTest, EveryCodeFitsTheKeyTable) {
    for (int32_t keycode = 0; keycode < 0x400; ++keycode) {
        const int32_t code = virtualKeyFromSdlKeycode(keycode);
        EXPECT_TRUE(code >= 0 && code <= 255 && code != 1 && code != 2)  // 1, 2: mouse buttons
            << keycode << " -> " << code;
    }
}

}  // namespace
}  // namespace tavro
