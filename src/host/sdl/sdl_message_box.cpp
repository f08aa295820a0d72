#include "host/sdl/sdl_message_box.h"

#include <SDL.h>

#include <cstdlib>

#include "host/sdl/message_box_answer.h"

namespace tavro {

namespace {

// Keeps the video subsystem started while the box lives; the main window may not exist.
class VideoScope {
  public:
    VideoScope() : started_(SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {}
    ~VideoScope() {
        if (started_) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
    }
    VideoScope(const VideoScope&) = delete;
    VideoScope& operator=(const VideoScope&) = delete;
    bool started() const { return started_; }

  private:
    bool started_;
};

void present(SDL_Window* window, const MessageBoxPicture& picture) {
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(picture.pixels.data()), picture.width, picture.height, 32,
        picture.width * 4, SDL_PIXELFORMAT_ARGB8888);
    SDL_Surface* target = SDL_GetWindowSurface(window);
    if (source != nullptr && target != nullptr) {
        SDL_BlitSurface(source, nullptr, target, nullptr);
        SDL_UpdateWindowSurface(window);
    }
    SDL_FreeSurface(source);
}

int32_t waitForAnswer(SDL_Window* window, const MessageBoxPicture& picture) {
    const Uint32 id = SDL_GetWindowID(window);
    const auto buttons = static_cast<int32_t>(picture.buttons.size());
    for (;;) {
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, 250) == 0) {
            present(window, picture);  // a desktop that lost the contents gets them again
            continue;
        }
        if (event.type == SDL_QUIT) {
            return buttons - 1;
        }
        if (event.type == SDL_KEYDOWN && event.key.windowID == id) {
            if (const int32_t chosen = MessageBoxButtonForKey(event.key.keysym.sym, buttons);
                chosen >= 0) {
                return chosen;
            }
        } else if (event.type == SDL_MOUSEBUTTONUP && event.button.windowID == id &&
                   event.button.button == SDL_BUTTON_LEFT) {
            if (const int32_t chosen = MessageBoxButtonAt(picture, event.button.x, event.button.y);
                chosen >= 0) {
                return chosen;
            }
        } else if (event.type == SDL_WINDOWEVENT && event.window.windowID == id) {
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                return buttons - 1;
            }
            if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                event.window.event == SDL_WINDOWEVENT_SHOWN) {
                present(window, picture);
            }
        }
    }
}

}  // namespace

bool DesktopPresent() {
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

int32_t RunMessageBox(FontRenderer& fonts, const char* title, const MessageBoxContent& content) {
    if (!DesktopPresent() || content.buttons.empty()) {
        return -1;
    }
    VideoScope video;
    SDL_Rect usable{0, 0, 1024, 768};
    if (!video.started() || SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        return -1;
    }
    MessageBoxPicture picture;
    if (!DrawMessageBox(fonts, content, usable.w, usable.h, picture)) {
        return -1;
    }
    SDL_Window* window = SDL_CreateWindow(title, usable.x + (usable.w - picture.width) / 2,
                                          usable.y + (usable.h - picture.height) / 2, picture.width,
                                          picture.height, SDL_WINDOW_ALWAYS_ON_TOP);
    if (window == nullptr) {
        return -1;
    }
    present(window, picture);
    SDL_RaiseWindow(window);
    const int32_t chosen = waitForAnswer(window, picture);
    SDL_DestroyWindow(window);
    return chosen;
}

}  // namespace tavro
