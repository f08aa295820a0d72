#include "host/sdl/sdl_display.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "host/sdl/sdl_key_codes.h"
#include "host/sdl/window_placement.h"
#include "text/shift_jis.h"

namespace tavro {
namespace {

constexpr int32_t kLeftButtonKey = 1;
constexpr int32_t kRightButtonKey = 2;
constexpr int32_t kAltKey = 18;
constexpr int32_t kF10Key = 121;

// Windows sends Alt, F10 and any key pressed with Alt held as system keys, which the engine
// does not see; the same keys are dropped here so games behave alike.
bool isSystemKey(int32_t virtualKey, uint16_t modifiers) {
    return virtualKey == kAltKey || virtualKey == kF10Key || (modifiers & KMOD_ALT) != 0;
}

}  // namespace

SdlDisplay::SdlDisplay(WindowScaling scaling) : scaling_(scaling) {}

SdlDisplay::~SdlDisplay() {
    destroyWindow();
    if (videoStarted_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

bool SdlDisplay::createWindow(const char* className) {
    if (window_ != nullptr) {
        return false;
    }
    SDL_SetHint(SDL_HINT_APP_NAME, className != nullptr ? className : "");
    if (!videoStarted_) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            return false;
        }
        videoStarted_ = true;
    }
    // At the primary display's origin: the start-up places a window, and a full-screen one
    // must not keep a centred position where no window manager moves it.
    window_ =
        SDL_CreateWindow("Default_Title", 0, 0, 640, 480, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (window_ == nullptr) {
        return false;
    }
    presenter_ = std::make_unique<SdlFramePresenter>(window_, scaling_.frame);
    presenter_->createRenderer();
    if (keepShown_) {
        presenter_->keepShownFrames();
    }
    return true;
}

void SdlDisplay::destroyWindow() {
    if (presenter_ != nullptr) {
        presenter_->readShownFrame(lastShown_, lastShownWidth_, lastShownHeight_);
    }
    presenter_.reset();  // its renderer belongs to the window
    if (window_ != nullptr) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
    }
}

void SdlDisplay::frameBorders(int32_t& left, int32_t& top) const {
    int bottom = 0, right = 0;
    left = top = 0;
    if (window_ == nullptr ||
        SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0) {
        left = top = 0;
    }
}

void SdlDisplay::moveWindow(int32_t x, int32_t y) {
    if (window_ == nullptr) {
        return;
    }
    int32_t left, top;
    frameBorders(left, top);
    SDL_SetWindowPosition(window_, x + left, y + top);
}

void SdlDisplay::setClientSize(int32_t width, int32_t height) {
    gameWidth_ = width;
    gameHeight_ = height;
    if (window_ != nullptr) {
        // SDL sizes are client sizes already.
        const int32_t factor = windowFactor(width, height);
        SDL_SetWindowSize(window_, width * factor, height * factor);
    }
}

int32_t SdlDisplay::windowFactor(int32_t width, int32_t height) {
    const int index = std::max(0, SDL_GetWindowDisplayIndex(window_));
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(index, &usable) != 0) {
        return std::max(1, scaling_.factor);
    }
    const int32_t fitting = FittingFactor(width, height, ScreenRect{0, 0, usable.w, usable.h});
    if (scaling_.factor == 0) {
        return fitting;
    }
    if (scaling_.factor > fitting && !toldScaleHeld_) {
        std::fprintf(stderr,
                     "tavro: --scale %d does not fit the screen's %dx%d usable area; the window "
                     "opens at %d times the game's size\n",
                     scaling_.factor, usable.w, usable.h, fitting);
        toldScaleHeld_ = true;
    }
    return std::min(scaling_.factor, fitting);
}

void SdlDisplay::setTitle(const char* title) {
    if (window_ != nullptr && title != nullptr) {
        SDL_SetWindowTitle(window_, shiftJisToUtf8(title).c_str());
    }
}

void SdlDisplay::showWindow(bool visible) {
    if (window_ == nullptr) {
        return;
    }
    if (visible) {
        keepOnDisplays();
        SDL_ShowWindow(window_);
    } else {
        SDL_HideWindow(window_);
    }
}

void SdlDisplay::keepOnDisplays() {
    if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        return;
    }
    std::vector<ScreenRect> displays;
    for (int index = 0; index < SDL_GetNumVideoDisplays(); ++index) {
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(index, &bounds) == 0) {
            displays.push_back(ScreenRect{bounds.x, bounds.y, bounds.w, bounds.h});
        }
    }
    // The frame: the client area and the borders the window manager has told of (none yet
    // on a first showing, or without a window manager).
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0) {
        top = left = bottom = right = 0;
    }
    ScreenRect frame;
    SDL_GetWindowPosition(window_, &frame.x, &frame.y);
    SDL_GetWindowSize(window_, &frame.width, &frame.height);
    const bool grown = frame.width > gameWidth_ || frame.height > gameHeight_;
    frame = ScreenRect{frame.x - left, frame.y - top, frame.width + left + right,
                       frame.height + top + bottom};
    const ScreenRect configured = frame;
    KeepWindowOnDisplays(frame, displays);
    SDL_Rect usable;
    if (grown &&
        SDL_GetDisplayUsableBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &usable) == 0) {
        KeepGrownWindowInside(frame, ScreenRect{usable.x, usable.y, usable.w, usable.h});
    }
    if (frame.x != configured.x || frame.y != configured.y) {
        SDL_SetWindowPosition(window_, frame.x + left, frame.y + top);
    }
}

bool SdlDisplay::setFullScreen(bool fullScreen) {
    if (window_ == nullptr) {
        return false;
    }
    // The window covers its display first: a desktop without a window manager never acts on
    // the full-screen request itself, and the window then is the whole screen all the same.
    SDL_Rect bounds;
    if (fullScreen &&
        SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &bounds) == 0) {
        SDL_SetWindowPosition(window_, bounds.x, bounds.y);
        SDL_SetWindowSize(window_, bounds.w, bounds.h);
    }
    return SDL_SetWindowFullscreen(window_, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0;
}

void SdlDisplay::showFrame(const uint32_t* pixels, int32_t width, int32_t height, int32_t stride) {
    if (presenter_ != nullptr) {
        presenter_->showFrame(pixels, width, height, stride);
    }
}

void SdlDisplay::keepShownFrames() {
    keepShown_ = true;
    if (presenter_ != nullptr) {
        presenter_->keepShownFrames();
    }
}

bool SdlDisplay::readShownFrame(std::vector<uint32_t>& pixels, int32_t& width,
                                int32_t& height) const {
    if (presenter_ != nullptr) {
        return presenter_->readShownFrame(pixels, width, height);
    }
    pixels = lastShown_;
    width = lastShownWidth_;
    height = lastShownHeight_;
    return width > 0;
}

void SdlDisplay::outerPosition(int32_t& x, int32_t& y) const {
    int clientX = 0, clientY = 0;
    if (window_ != nullptr) {
        SDL_GetWindowPosition(window_, &clientX, &clientY);
    }
    int32_t left, top;
    frameBorders(left, top);
    x = clientX - left;
    y = clientY - top;
}

int32_t SdlDisplay::windowX() {
    int32_t x, y;
    outerPosition(x, y);
    return x;
}

int32_t SdlDisplay::windowY() {
    int32_t x, y;
    outerPosition(x, y);
    return y;
}

void SdlDisplay::handleKey(WindowEventHandler& handler, bool down, int32_t keycode,
                           uint16_t modifiers) {
    if (keycode == SDLK_PRINTSCREEN) {
        if (down && printScreen_) {
            printScreen_();
        }
        return;
    }
    int32_t virtualKey = virtualKeyFromSdlKeycode(keycode);
    if (virtualKey == 0 || isSystemKey(virtualKey, modifiers)) {
        return;
    }
    if (down) {
        handler.keyDown(virtualKey);
    } else {
        handler.keyUp(virtualKey);
    }
}

bool SdlDisplay::pumpEvents(WindowEventHandler& handler) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
            case SDL_KEYDOWN:
            case SDL_KEYUP:
                handleKey(handler, event.type == SDL_KEYDOWN, event.key.keysym.sym,
                          event.key.keysym.mod);
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                int32_t key = event.button.button == SDL_BUTTON_LEFT    ? kLeftButtonKey
                              : event.button.button == SDL_BUTTON_RIGHT ? kRightButtonKey
                                                                        : 0;
                if (key != 0 && event.type == SDL_MOUSEBUTTONDOWN) {
                    handler.keyDown(key);
                } else if (key != 0) {
                    handler.keyUp(key);
                }
                break;
            }
            case SDL_WINDOWEVENT:
                switch (event.window.event) {
                    case SDL_WINDOWEVENT_FOCUS_GAINED:
                        handler.activated(true);
                        break;
                    case SDL_WINDOWEVENT_FOCUS_LOST:
                        handler.activated(false);
                        break;
                    case SDL_WINDOWEVENT_SHOWN:
                        // Now framed: the borders a window manager adds are known.
                        keepOnDisplays();
                        break;
                    case SDL_WINDOWEVENT_MOVED:
                    case SDL_WINDOWEVENT_SIZE_CHANGED:
                        handler.movedOrResized();
                        break;
                    case SDL_WINDOWEVENT_CLOSE:
                        handler.closeRequested();
                        break;
                    default:
                        break;
                }
                break;
            case SDL_QUIT:  // also what an interrupt signal becomes
                handler.closeRequested();
                break;
            default:
                break;
        }
    }
    return true;
}

void SdlDisplay::cursorPosition(int32_t& x, int32_t& y) {
    // Like reading the screen position and mapping it to the client area, the result is
    // meaningful even when the cursor is outside the window.
    int globalX = 0, globalY = 0, windowLeft = 0, windowTop = 0;
    SDL_GetGlobalMouseState(&globalX, &globalY);
    if (window_ != nullptr) {
        SDL_GetWindowPosition(window_, &windowLeft, &windowTop);
    }
    x = globalX - windowLeft;
    y = globalY - windowTop;
    // A scaled, resized or full-screen window: window pixels back to back-buffer pixels, the
    // frame laid out as it is shown now (before the first frame, at the game's window size).
    if (window_ == nullptr) {
        return;
    }
    int32_t frameWidth = gameWidth_, frameHeight = gameHeight_;
    if (presenter_ != nullptr && presenter_->frameWidth() > 0) {
        frameWidth = presenter_->frameWidth();
        frameHeight = presenter_->frameHeight();
    }
    int outputWidth = 0, outputHeight = 0;
    SDL_GetWindowSize(window_, &outputWidth, &outputHeight);
    OutputPointToFrame(
        LayOutFrame(frameWidth, frameHeight, outputWidth, outputHeight, scaling_.frame), frameWidth,
        frameHeight, x, y);
}

bool SdlDisplay::readPad(int32_t pad, PadReading& reading) {
    return pads_.read(pad, reading);
}

}  // namespace tavro
