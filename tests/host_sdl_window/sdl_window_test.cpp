// The real window under a virtual X server: frames presented in a window of another size are
// scaled, centred and letterboxed in black, and a scaled window maps the cursor back to frame
// pixels.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "host/sdl/sdl_display.h"
#include "host/sdl/sdl_frame_presenter.h"

namespace tavro {
namespace {

constexpr int32_t kFrameWidth = 40;
constexpr int32_t kFrameHeight = 30;
constexpr uint32_t kBlack = 0xFF000000u;

// Every pixel of the frame has its own colour.
uint32_t framePixel(int32_t x, int32_t y) {
    return 0xFF000000u | static_cast<uint32_t>(x * 6) << 16 | static_cast<uint32_t>(y * 8) << 8 |
           0x40u;
}

std::vector<uint32_t> testFrame() {
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < kFrameHeight; ++y) {
        for (int32_t x = 0; x < kFrameWidth; ++x) {
            pixels.push_back(framePixel(x, y));
        }
    }
    return pixels;
}

// Lets the X server and SDL agree on the window's size.
void settle(SDL_Window* window, int width, int height) {
    for (int tries = 0; tries < 100; ++tries) {
        SDL_PumpEvents();
        int w = 0, h = 0;
        SDL_GetWindowSize(window, &w, &h);
        if (w == width && h == height) {
            return;
        }
        SDL_Delay(10);
    }
}

class SdlWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
};

// The player resizes the window: black borders around the frame's place, and within it the
// frame enlarged with sharp pixels.
TEST_F(SdlWindowTest, AResizedWindowShowsTheFrameLetterboxed) {
    const struct {
        int32_t width, height;
        FrameScaling scaling;
        int32_t x, y, placeWidth, placeHeight;
    } cases[] = {
        {200, 90, FrameScaling::kFit, 40, 0, 120, 90},  // pillarboxed, 3 times
        {100, 100, FrameScaling::kWholeFactors, 10, 20, 80, 60},
        {100, 100, FrameScaling::kFit, 0, 12, 100, 75},  // 2.5 times: the remainder smoothed
        {80, 200, FrameScaling::kFit, 0, 70, 80, 60},    // letterboxed
    };
    const std::vector<uint32_t> frame = testFrame();
    for (const auto& c : cases) {
        SDL_Window* window = SDL_CreateWindow("letterbox", 0, 0, kFrameWidth, kFrameHeight, 0);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        {
            SdlFramePresenter presenter(window, c.scaling);
            presenter.keepShownFrames();
            SDL_SetWindowSize(window, c.width, c.height);
            settle(window, c.width, c.height);
            presenter.showFrame(frame.data(), kFrameWidth, kFrameHeight, kFrameWidth);
            const FrameLayout& place = presenter.layout();
            EXPECT_EQ(place.x, c.x) << c.width << "x" << c.height;
            EXPECT_EQ(place.y, c.y) << c.width << "x" << c.height;
            EXPECT_EQ(place.width, c.placeWidth) << c.width << "x" << c.height;
            EXPECT_EQ(place.height, c.placeHeight) << c.width << "x" << c.height;

            std::vector<uint32_t> shown;
            int32_t width = 0, height = 0;
            ASSERT_TRUE(presenter.readShownWindow(shown, width, height));
            ASSERT_EQ(width, c.width);
            ASSERT_EQ(height, c.height);
            int wrong = 0;
            for (int32_t y = 0; y < height; ++y) {
                for (int32_t x = 0; x < width; ++x) {
                    const bool inside = x >= place.x && x < place.x + place.width && y >= place.y &&
                                        y < place.y + place.height;
                    const uint32_t pixel = shown[static_cast<size_t>(y) * width + x];
                    if (!inside) {
                        wrong += pixel != kBlack;
                    } else if (place.exact) {
                        wrong += pixel != framePixel((x - place.x) / place.wholeFactor,
                                                     (y - place.y) / place.wholeFactor);
                    } else {
                        wrong += pixel == kBlack;
                    }
                }
            }
            EXPECT_EQ(wrong, 0) << c.width << "x" << c.height;
        }
        SDL_DestroyWindow(window);
    }
}

// --scale 2: the window opens at twice the game's size and the cursor reads in game pixels.
TEST_F(SdlWindowTest, AScaledWindowIsLargerAndReadsTheCursorInFramePixels) {
    SdlDisplay display(WindowScaling{2, FrameScaling::kFit});
    display.keepShownFrames();
    ASSERT_TRUE(display.createWindow("Tavro"));
    display.moveWindow(0, 0);
    display.setClientSize(kFrameWidth, kFrameHeight);
    display.showWindow(true);
    SDL_Window* window = SDL_GetWindowFromID(1);
    ASSERT_NE(window, nullptr);
    settle(window, 2 * kFrameWidth, 2 * kFrameHeight);
    const std::vector<uint32_t> frame = testFrame();
    display.showFrame(frame.data(), kFrameWidth, kFrameHeight, kFrameWidth);
    SDL_WarpMouseInWindow(window, 61, 21);
    SDL_PumpEvents();
    int32_t x = 0, y = 0;
    display.cursorPosition(x, y);
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 10);
    std::vector<uint32_t> shown;
    int32_t width = 0, height = 0;
    ASSERT_TRUE(display.readShownFrame(shown, width, height));
    EXPECT_EQ(width, 2 * kFrameWidth);
    EXPECT_EQ(height, 2 * kFrameHeight);
    display.destroyWindow();
}

}  // namespace
}  // namespace tavro
