#include "host/sdl/sdl_dialogs.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/dialog_text.h"
#include "host/shift_jis.h"

namespace tavro {
namespace {

constexpr int kYesButton = 1;
constexpr int kNoButton = 0;

void printInstead(const char* caption, const char* text, const char* suffix) {
    std::fprintf(stderr, "%s%s\n", dialogLine(caption, text).c_str(), suffix);
}

}  // namespace

bool ShowDesktopMessage(const char* title, const char* text) {
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        return false;
    }
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title, text, nullptr) == 0;
}

void SdlDialogs::showMessage(const char* caption, const char* text) {
    std::string title = shiftJisToUtf8(caption != nullptr ? caption : "");
    std::string message = shiftJisToUtf8(text != nullptr ? text : "");
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title.c_str(), message.c_str(),
                                 nullptr) != 0) {
        printInstead(caption, text, "");
    }
}

bool SdlDialogs::askYesNo(const char* caption, const char* text) {
    std::string title = shiftJisToUtf8(caption != nullptr ? caption : "");
    std::string message = shiftJisToUtf8(text != nullptr ? text : "");
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kYesButton, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kNoButton, "No"},
    };
    SDL_MessageBoxData box = {};
    box.flags = SDL_MESSAGEBOX_WARNING;
    box.title = title.c_str();
    box.message = message.c_str();
    box.numbuttons = 2;
    box.buttons = buttons;
    int pressed = kNoButton;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        printInstead(caption, text, " [yes/no] yes");
        return true;
    }
    return pressed == kYesButton;
}

}  // namespace tavro
