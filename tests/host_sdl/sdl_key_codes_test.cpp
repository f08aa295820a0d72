#include "host/sdl/sdl_key_codes.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace tavro {
namespace {

TEST(SdlKeyCodesTest, MapsKeysToTheirVirtualKeyCodes) {
    struct Case {
        SDL_Keycode sdl;
        int32_t virtualKey;
    };
    const Case cases[] = {
        {SDLK_a, 65},        {SDLK_z, 90},          {SDLK_0, 48},        {SDLK_9, 57},
        {SDLK_F1, 112},      {SDLK_F4, 115},        {SDLK_F11, 122},     {SDLK_F12, 123},
        {SDLK_TAB, 9},       {SDLK_RETURN, 13},     {SDLK_KP_ENTER, 13}, {SDLK_LSHIFT, 16},
        {SDLK_RSHIFT, 16},   {SDLK_LCTRL, 17},      {SDLK_RCTRL, 17},    {SDLK_LALT, 18},
        {SDLK_ESCAPE, 27},   {SDLK_SPACE, 32},      {SDLK_LEFT, 37},     {SDLK_UP, 38},
        {SDLK_RIGHT, 39},    {SDLK_DOWN, 40},       {SDLK_KP_0, 96},     {SDLK_KP_9, 105},
        {SDLK_KP_PLUS, 107}, {SDLK_SEMICOLON, 186}, {SDLK_QUOTE, 222},   {SDLK_DELETE, 46},
        {SDLK_F13, 0},       {SDLK_UNKNOWN, 0},     {SDLK_AUDIOPLAY, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(virtualKeyFromSdlKeycode(c.sdl), c.virtualKey) << SDL_GetKeyName(c.sdl);
    }
}

TEST(SdlKeyCodesTest, EveryCodeFitsTheKeyTable) {
    for (int32_t keycode = 0; keycode < 0x400; ++keycode) {
        int32_t code = virtualKeyFromSdlKeycode(keycode);
        EXPECT_TRUE(code >= 0 && code <= 255) << keycode;
        EXPECT_NE(code, 1) << keycode;  // 1 and 2 belong to the mouse buttons
        EXPECT_NE(code, 2) << keycode;
    }
}

}  // namespace
}  // namespace tavro
