#include "host/sdl/message_box_answer.h"

namespace tavro {

int32_t MessageBoxButtonForKey(SDL_Keycode key, int32_t buttons) {
    switch (key) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return 0;
        case SDLK_ESCAPE:
            return buttons - 1;
        case SDLK_y:
            return buttons == 2 ? 0 : -1;
        case SDLK_n:
            return buttons == 2 ? 1 : -1;
        default:
            return -1;
    }
}

int32_t MessageBoxButtonAt(const MessageBoxPicture& picture, int32_t x, int32_t y) {
    for (size_t i = 0; i < picture.buttons.size(); ++i) {
        if (picture.buttons[i].contains(x, y)) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

}  // namespace tavro
