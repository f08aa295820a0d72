// The frame loop: pump the window's events, sleep 1 ms, and run a frame each time a frame
// period has accumulated. Nothing here allocates once the system variables exist.
#include "platform/key_state.h"
#include "platform/pad_state.h"
#include "render/draw_list.h"
#include "render/texture_cache.h"
#include "script/halt.h"
#include "script/system_variables.h"
#include "shell/camera.h"
#include "shell/engine.h"
#include "text/messages.h"
#include "text/numeric.h"

namespace tavro {

uint32_t clearColourFrom(double red, double green, double blue) {
    const uint32_t r = toUInt32(red) & 0xFF;
    const uint32_t g = toUInt32(green) & 0xFF;
    const uint32_t b = toUInt32(blue) & 0xFF;
    return 0xFF000000u + r * 65536 + g * 256 + b;
}

void Engine::runFrameLoop() {
    timing_.resynchronise(host_.clock.milliseconds());
    while (!haltRequested()) {
        if (!host_.display.pumpEvents(events_)) {
            return;
        }
        host_.clock.sleep(1);
        if (timing_.advance(host_.clock.milliseconds()) && !runFrame()) {
            return;
        }
    }
}

bool Engine::runFrame() {
    if (haltRequested()) {
        return false;
    }
    padState(0).pollPad(host_.display);
    padState(1).pollPad(host_.display);
    double fps = 0;
    if (timing_.updateFrameRate(fps)) {
        systemVariable(ids_.fps) = fps;
    }
    timing_.decideSkip(static_cast<uint32_t>(settings_.frameSkipThreshold));

    int32_t mouseX = 0;
    int32_t mouseY = 0;
    host_.display.cursorPosition(mouseX, mouseY);
    systemVariable(ids_.mouseX) = mouseX;
    systemVariable(ids_.mouseY) = mouseY;

    if (keyState().isKeyDown(kEndKey)) {
        return false;
    }
    if (keyState().isKeyDown(kDisplayModeKey) && !switchDisplayMode()) {
        return false;
    }
    if (events_.active()) {
        drawFrame();
    }
    exchangeAfterFrame();
    if (rootInstance().killed) {
        requestHalt();
    }
    ++framesRun_;
    host_.display.frameCompleted();
    return options_.frameLimit == 0 || framesRun_ < options_.frameLimit;
}

void Engine::drawFrame() {
    graphics_.beginFrame();
    graphics_.setSmoothSampling(settings_.antiAlias);
    scripts_.runFramePass(rootInstance());
    if (timing_.skipped()) {
        DiscardDrawList();
        graphics_.endFrame();
    } else {
        RenderDrawList();
        graphics_.endFrame();
        graphics_.presentFrame();
    }
    graphics_.clearBackBuffer();
}

// Background colour and camera settings in from the scripts, camera position out.
void Engine::exchangeAfterFrame() {
    graphics_.setClearColour(clearColourFrom(systemVariable(ids_.red), systemVariable(ids_.green),
                                             systemVariable(ids_.blue)));
    Camera& view = camera();
    view.setClamped(systemVariable(ids_.cameraConf) != 0);
    view.stepCamera(systemVariable(ids_.cameraSpeed));
    systemVariable(ids_.cameraX) = view.x();
    systemVariable(ids_.cameraY) = view.y();
}

// F11: re-creates the device in the other display mode. Keys held across the switch read
// as released until pressed again, and the time the switch took is not run as frames.
bool Engine::switchDisplayMode() {
    const int32_t fontHeight = font_.height();
    font_.release();
    FreeTextureCache();
    graphics_.release();
    settings_.fullScreen = !settings_.fullScreen;
    if (!createGraphicsDevice()) {
        return false;
    }
    computeScreenScale();
    keyState().releaseAllKeys();
    host_.clock.sleep(kDisplaySwitchPause);
    ReloadTextures();
    if (!font_.create("", fontHeight)) {
        showMessage(kFontFailedMessage);
        return false;
    }
    if (!settings_.fullScreen) {
        setUpWindow();
    }
    timing_.resynchronise(host_.clock.milliseconds());
    return true;
}

}  // namespace tavro
