// Keys as the engine receives them from SDL's event queue, without a video subsystem.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "host/sdl/sdl_display.h"
#include "support/event_recorder.h"

namespace tavro {
namespace {

void pushKey(Uint32 type, SDL_Keycode key) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

// Print Screen takes a screenshot and never reaches the game as a key.
TEST(SdlDisplayKeysTest, PrintScreenRunsItsActionInsteadOfReachingTheGame) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
    SdlDisplay display;
    int shots = 0;
    display.onPrintScreen([&shots] { ++shots; });
    pushKey(SDL_KEYDOWN, SDLK_PRINTSCREEN);
    pushKey(SDL_KEYUP, SDLK_PRINTSCREEN);
    pushKey(SDL_KEYDOWN, SDLK_a);
    pushKey(SDL_KEYUP, SDLK_a);
    testing::EventRecorder log;
    EXPECT_TRUE(display.pumpEvents(log));
    EXPECT_EQ(shots, 1);
    EXPECT_EQ(log.log, (std::vector<std::string>{"down 65", "up 65"}));
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

}  // namespace
}  // namespace tavro
