// Tavro's message boxes in a web page: the picture the desktop shows in a window of its own is
// drawn centred on the page's "box" canvas, which the page lays exactly over the game's canvas,
// and taken away when answered. Keys and clicks reach SDL through the game's canvas, in its
// pixels; the wait returns to the browser between events (Asyncify), so the page stays alive.
#include <SDL.h>
#include <emscripten.h>

#include <algorithm>

#include "host/sdl/message_box_answer.h"
#include "host/sdl/sdl_message_box.h"

// The game canvas's size in its own pixels.
EM_JS(void, gameCanvasSize, (int* width, int* height), {
    HEAP32[width >> 2] = Module.canvas ? Module.canvas.width : 0;
    HEAP32[height >> 2] = Module.canvas ? Module.canvas.height : 0;
});

// Draws ARGB pixels (little-endian words) at x, y of the box canvas, which takes the game
// canvas's size; a null picture clears it.
EM_JS(void, drawBox, (const uint32_t* pixels, int width, int height, int x, int y), {
    const box = document.getElementById("box");
    if (!box || !Module.canvas) {
        return;
    }
    box.width = Module.canvas.width;
    box.height = Module.canvas.height;
    const context = box.getContext("2d");
    context.clearRect(0, 0, box.width, box.height);
    if (!pixels) {
        return;
    }
    const image = context.createImageData(width, height);
    const source = HEAPU8.subarray(pixels, pixels + width * height * 4);
    for (let i = 0; i < source.length; i += 4) {
        image.data[i] = source[i + 2];
        image.data[i + 1] = source[i + 1];
        image.data[i + 2] = source[i];
        image.data[i + 3] = 255;
    }
    context.putImageData(image, x, y);
});

// The page scales the canvas through its style; SDL takes a styled canvas's size for a window
// made on it, so the game's window, made after a box's own, must find the style gone.
EM_JS(void, unstyleGameCanvas, (), {
    if (Module.canvas) {
        Module.canvas.style.width = "";
        Module.canvas.style.height = "";
    }
});

namespace tavro {

namespace {

// The largest box before the game has a window.
constexpr int32_t kOwnWindowWidth = 640;
constexpr int32_t kOwnWindowHeight = 480;

int32_t waitForAnswer(const MessageBoxPicture& picture, int32_t left, int32_t top) {
    const auto buttons = static_cast<int32_t>(picture.buttons.size());
    for (;;) {
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, 250) == 0) {
            continue;
        }
        if (event.type == SDL_QUIT) {
            return buttons - 1;
        }
        if (event.type == SDL_KEYDOWN) {
            if (const int32_t chosen = MessageBoxButtonForKey(event.key.keysym.sym, buttons);
                chosen >= 0) {
                return chosen;
            }
        } else if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT) {
            if (const int32_t chosen =
                    MessageBoxButtonAt(picture, event.button.x - left, event.button.y - top);
                chosen >= 0) {
                return chosen;
            }
        }
    }
}

}  // namespace

bool DesktopPresent() {
    return true;
}

int32_t RunMessageBox(FontRenderer& fonts, const char* title, const MessageBoxContent& content) {
    if (content.buttons.empty()) {
        return -1;
    }
    // Before the game's window exists (and SDL's video with it), the box opens a window of
    // its own, which events need; over the game's window it takes the game's size.
    const bool ownWindow = SDL_WasInit(SDL_INIT_VIDEO) == 0;
    int width = kOwnWindowWidth, height = kOwnWindowHeight;
    if (!ownWindow) {
        gameCanvasSize(&width, &height);
    }
    MessageBoxPicture picture;
    if (!DrawMessageBox(fonts, content, width, height, picture)) {
        return -1;
    }
    SDL_Window* window = nullptr;
    if (ownWindow) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            return -1;
        }
        window = SDL_CreateWindow(title, 0, 0, picture.width, picture.height, 0);
        width = picture.width;
        height = picture.height;
    }
    int32_t chosen = -1;
    if (!ownWindow || window != nullptr) {
        const int32_t left = std::max(0, (width - picture.width) / 2);
        const int32_t top = std::max(0, (height - picture.height) / 2);
        drawBox(picture.pixels.data(), picture.width, picture.height, left, top);
        chosen = waitForAnswer(picture, left, top);
        drawBox(nullptr, 0, 0, 0, 0);
    }
    if (ownWindow) {
        if (window != nullptr) {
            SDL_DestroyWindow(window);
            unstyleGameCanvas();
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    return chosen;
}

}  // namespace tavro
