#include "shell/engine.h"

#include "shell/release_files.h"
#include "shell/settings.h"
#include "shell/stop_report.h"
#include "text/messages.h"
#include "text/text_numbers.h"

namespace tavro {

Engine::Engine(HostServices host, GameScripts& scripts, EngineOptions options)
    : host_(host),
      scripts_(scripts),
      options_(options),
      state_(host.files, &host.dialogs, host.compositor, host.audio, host.music, host.fonts),
      events_(state_, host.clock, timing_) {
    state_.controls = PlayerControls(options.controls);
}

int Engine::run() {
    const bool started = startUp();
    if (started) {
        runFrameLoop();
    }
    shutDown();
    if (options_.errorEcho != nullptr) {
        options_.errorEcho->setPlace(nullptr);
        options_.errorEcho->finish();
    }
    // A run a syntax error stopped failed as much as one that could not start.
    return started && !state_.syntaxStop.happened ? kExitNormal : kExitStartupFailed;
}

void Engine::showMessage(const char* text) {
    host_.dialogs.showMessage(kMessageCaption, text);
}

int32_t Engine::settingAsInt(const char* key) {
    return textToInt(state_.config.at(key).cStr());
}

double Engine::settingAsDouble(const char* key) {
    return textToDouble(state_.config.at(key).cStr());
}

bool Engine::startUp() {
    state_.random.seed(options_.seed ? *options_.seed : host_.clock.milliseconds());
    ErrorLog& log = state_.log;
    log.setReportLevel(kReportNothing);
    log.setLineLimit(kMaxLineLimit);

    ConfigTable& config = state_.config;
    readSettings(state_);
    if (applySettings(config, log, state_.settings)) {
        state_.systemVariable(state_.systemIds.cameraSpeed) = 1;
    }
    if (options_.fullScreen) {
        state_.settings.fullScreen = *options_.fullScreen;
    }

    if (!host_.display.createWindow(kMainWindowClassName)) {
        showMessage(kWindowCreationFailedMessage);
        return false;
    }
    if (!createGraphicsDevice(kFullScreenFailedMessage, kBackBufferFailedMessage)) {
        return false;
    }
    computeScreenScale();
    if (!state_.settings.fullScreen) {
        setUpWindow(false);
    } else {
        // The window was created hidden: full screen, it is shown at once, with its title.
        setTitle();
        host_.display.showWindow(true);
    }
    if (!state_.soundCache.createSoundDevice()) {
        showMessage(kSoundDeviceFailedMessage);
        return false;
    }
    if (!state_.font.create(TextString(), kDefaultFontHeight)) {
        showMessage(kFontFailedMessage);
        return false;
    }
    // The bundles come before the release scan: every file the scan reads then replaces its
    // entry of an earlier release, and entries whose files are gone stay.
    loadPackageBundles(state_);
    // From here on the log's errors are told as they happen; before, a game that is not
    // released fails to open its settings and bundle files, as every such game does.
    state_.log.setEcho(options_.errorEcho);
    if (options_.errorEcho != nullptr) {
        options_.errorEcho->setPlace([this] { return statementPlace(state_, state_.runningAt); });
    }
    if (state_.settings.scanAll) {
        scripts_.scanTaskFiles(state_);
    }

    TaskInstance& root = state_.objects.root();
    if (!scripts_.loadRoot(state_, root, kBootTaskName)) {
        showMessage(kBootTaskMissingMessage);
    }
    scripts_.startRoot(state_, root);
    seedWindowVariables();
    state_.pad(0).openPad(host_.display, 0);
    state_.pad(1).openPad(host_.display, 1);
    return true;
}

// Full screen first when asked, falling back to a window of the same size.
bool Engine::createGraphicsDevice(const char* fullScreenFailed, const char* windowFailed) {
    const int32_t width = settingAsInt("windowWidth");
    const int32_t height = settingAsInt("windowHeight");
    Settings& settings = state_.settings;
    if (settings.fullScreen && !createDevice(width, height, true)) {
        host_.display.showWindow(false);
        showMessage(fullScreenFailed);
        settings.fullScreen = false;
    }
    if (!settings.fullScreen && !createDevice(width, height, false)) {
        showMessage(windowFailed);
        return false;
    }
    return true;
}

// The window takes the display mode first, so a full-screen device shows on the whole screen.
bool Engine::createDevice(int32_t width, int32_t height, bool fullScreen) {
    return host_.display.setFullScreen(fullScreen) &&
           state_.graphics.create(width, height, fullScreen);
}

void Engine::computeScreenScale() {
    const GraphicsDevice& graphics = state_.graphics;
    state_.screenScale =
        ComputeScreenScale(graphics.backBufferWidth(), graphics.backBufferHeight(),
                           settingAsDouble("screenWidth"), settingAsDouble("screenHeight"));
}

void Engine::setUpWindow(bool afterSwitch) {
    Display& display = host_.display;
    if (afterSwitch) {
        display.showWindow(false);
        display.moveWindow(0, 0);
        display.setClientSize(10, 10);
    }
    display.moveWindow(settingAsInt("windowX"), settingAsInt("windowY"));
    display.setClientSize(settingAsInt("windowWidth"), settingAsInt("windowHeight"));
    setTitle();
    display.showWindow(true);
}

void Engine::setTitle() {
    const TextString& title = state_.config.at("windowTitle");
    if (!title.empty()) {
        host_.display.setTitle(title.cStr());
    }
}

// The last names start-up numbers.
void Engine::seedWindowVariables() {
    const WindowVariableIds ids = numberWindowVariables(state_.names);
    state_.systemVariable(ids.windowX) = host_.display.windowX();
    state_.systemVariable(ids.windowY) = host_.display.windowY();
    state_.systemVariable(ids.windowWidth) = state_.graphics.backBufferWidth();
    state_.systemVariable(ids.windowHeight) = state_.graphics.backBufferHeight();
    state_.systemVariable(ids.screenWidth) = settingAsDouble("screenWidth");
    state_.systemVariable(ids.screenHeight) = settingAsDouble("screenHeight");
}

void Engine::shutDown() {
    // A start-up that failed before the scan and "boot" would leave a folder whose settings
    // say bundle-only over bundles that hold nothing: such a run writes no release files.
    if (state_.settings.writeAtExit && reachedFrameLoop_) {
        releaseFiles_ = writeReleaseFiles(state_);
    }
    state_.musicPlayer.stopMusic();
    state_.font.release();
    state_.soundCache.freeSoundCache();
    state_.animations.freeAnimations();
    state_.textures.freeTextureCache();  // before the device the textures belong to
    state_.graphics.release();
    host_.display.destroyWindow();
}

}  // namespace tavro
