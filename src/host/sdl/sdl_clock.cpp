#include "host/sdl/sdl_clock.h"

#include <SDL.h>

namespace tavro {

SdlClock::SdlClock() {
    SDL_InitSubSystem(SDL_INIT_TIMER);
}

SdlClock::~SdlClock() {
    SDL_QuitSubSystem(SDL_INIT_TIMER);
}

uint32_t SdlClock::milliseconds() {
    return SDL_GetTicks();
}

void SdlClock::sleep(uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

}  // namespace tavro
