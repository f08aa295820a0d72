// The frame loop: pump the window's events, sleep 1 ms, and run a frame each time a frame
// period has accumulated. Nothing here allocates once the system variables exist.
#include "render/draw_list.h"
#include "render/item_values.h"
#include "shell/engine.h"
#include "text/messages.h"

namespace tavro {

void Engine::runFrameLoop() {
    reachedFrameLoop_ = true;
    timing_.resynchronise(host_.clock.milliseconds());
    while (!state_.haltRequested) {
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
    if (state_.haltRequested) {
        return false;
    }
    state_.pad(0).pollPad(host_.display);
    state_.pad(1).pollPad(host_.display);
    state_.controls.padRead(state_.pad(0), state_.controls.padDrivesKeys(state_.scriptsTestPads),
                            state_.keys);
    const SystemVariableIds& ids = state_.systemIds;
    double fps = 0;
    if (timing_.updateFrameRate(fps)) {
        state_.systemVariable(ids.fps) = fps;
    }
    timing_.decideSkip(static_cast<uint32_t>(state_.settings.frameSkipThreshold));

    int32_t mouseX = 0;
    int32_t mouseY = 0;
    host_.display.cursorPosition(mouseX, mouseY);
    state_.systemVariable(ids.mouseX) = mouseX;
    state_.systemVariable(ids.mouseY) = mouseY;

    // Tavro's own keys also act on a tap released before this frame.
    const bool endPressed = events_.takePress(kEndKey);
    const bool switchPressed = events_.takePress(kDisplayModeKey);
    if (endPressed || state_.keys.isKeyDown(kEndKey)) {
        return false;
    }
    if ((switchPressed || state_.keys.isKeyDown(kDisplayModeKey)) && !switchDisplayMode()) {
        return false;
    }
    if (events_.active()) {
        drawFrame();
    }
    exchangeAfterFrame();
    if (state_.objects.root().killed) {
        state_.haltRequested = true;
    }
    ++framesRun_;
    host_.display.frameCompleted();
    return options_.frameLimit == 0 || framesRun_ < options_.frameLimit;
}

void Engine::drawFrame() {
    GraphicsDevice& graphics = state_.graphics;
    graphics.beginFrame();
    graphics.setSmoothSampling(state_.settings.antiAlias);
    scripts_.runFramePass(state_, state_.objects.root());
    if (timing_.skipped()) {
        DiscardDrawList(state_.drawList);
        graphics.endFrame();
    } else {
        RenderDrawList(state_.drawList,
                       RenderContext{graphics, state_.textures, state_.animations,
                                     state_.screenScale, &state_.font},
                       state_.haltRequested);
        graphics.endFrame();
        graphics.presentFrame();
    }
    graphics.clearBackBuffer();
}

// Background colour and camera settings in from the scripts, camera position out.
void Engine::exchangeAfterFrame() {
    const SystemVariableIds& ids = state_.systemIds;
    // The background is an opaque item colour.
    state_.graphics.setClearColour(ItemColour(255, state_.systemVariable(ids.red),
                                              state_.systemVariable(ids.green),
                                              state_.systemVariable(ids.blue)));
    Camera& view = state_.camera;
    view.setClamped(state_.systemVariable(ids.cameraConf) != 0);
    view.stepCamera(state_.systemVariable(ids.cameraSpeed));
    state_.systemVariable(ids.cameraX) = view.x();
    state_.systemVariable(ids.cameraY) = view.y();
}

// F11: re-creates the device in the other display mode. Keys held across the switch read
// as released until pressed again, and the time the switch took is not run as frames.
bool Engine::switchDisplayMode() {
    CurrentFont& font = state_.font;
    const TextString faceName = font.faceName();
    const int32_t fontHeight = font.height();
    font.release();
    state_.textures.releaseAllTextures();
    state_.graphics.release();
    state_.settings.fullScreen = !state_.settings.fullScreen;
    if (!createGraphicsDevice(kFullScreenSwitchFailedMessage, kBackBufferRebuildFailedMessage)) {
        return false;
    }
    computeScreenScale();
    state_.keys.releaseAllKeys();
    host_.clock.sleep(kDisplaySwitchPause);
    if (!state_.textures.reloadAllTextures(state_.graphics)) {
        showMessage(kTextureRebuildFailedMessage);
        return false;
    }
    if (!font.create(faceName, fontHeight)) {
        showMessage(kFontRebuildFailedMessage);
        return false;
    }
    if (!state_.settings.fullScreen) {
        setUpWindow(true);
    }
    timing_.resynchronise(host_.clock.milliseconds());
    return true;
}

}  // namespace tavro
