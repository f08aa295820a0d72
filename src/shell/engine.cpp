#include "shell/engine.h"

#include "platform/key_state.h"
#include "platform/pad_state.h"
#include "render/animation_table.h"
#include "render/texture_cache.h"
#include "script/halt.h"
#include "script/name_id_table.h"
#include "script/random.h"
#include "script/script_dialogs.h"
#include "script/system_variables.h"
#include "shell/camera.h"
#include "shell/error_log.h"
#include "shell/package_bundles.h"
#include "sound/music_player.h"
#include "text/messages.h"
#include "text/text_numbers.h"

namespace tavro {

ShellVariableIds::ShellVariableIds()
    : windowX(nameId("windowX")),
      windowY(nameId("windowY")),
      windowWidth(nameId("windowWidth")),
      windowHeight(nameId("windowHeight")),
      screenWidth(nameId("screenWidth")),
      screenHeight(nameId("screenHeight")),
      fps(nameId("fps")),
      mouseX(nameId("mouseX")),
      mouseY(nameId("mouseY")),
      red(nameId("red")),
      green(nameId("green")),
      blue(nameId("blue")),
      cameraConf(nameId("cameraConf")),
      cameraSpeed(nameId("cameraSpeed")),
      cameraX(nameId("cameraX")),
      cameraY(nameId("cameraY")) {}

Engine::Engine(HostServices host, GameScripts& scripts, EngineOptions options)
    : host_(host), scripts_(scripts), options_(options), events_(host.clock, timing_) {
    resetHalt();
    resetKeyState();
    resetPadStates();
    resetSystemVariables();
    resetCamera();
    resetInstances();
    previousScriptDialogs_ = setScriptDialogs(&host_.dialogs);
}

Engine::~Engine() {
    setScriptDialogs(previousScriptDialogs_);
}

int Engine::run() {
    const bool started = startUp();
    if (started) {
        runFrameLoop();
    }
    shutDown();
    return started ? kExitNormal : kExitStartupFailed;
}

void Engine::showMessage(const char* text) {
    host_.dialogs.showMessage(kMessageCaption, text);
}

static int32_t settingAsInt(const char* key) {
    return textToInt(configTable().at(key).cStr());
}

static double settingAsDouble(const char* key) {
    return textToDouble(configTable().at(key).cStr());
}

bool Engine::startUp() {
    seedRandom(options_.seed ? *options_.seed : host_.clock.milliseconds());
    ErrorLog& log = errorLog();
    log.setReportLevel(kReportNothing);
    log.setLineLimit(kMaxLineLimit);

    ConfigTable& config = configTable();
    readSettings(config);
    if (applySettings(config, log, settings_)) {
        systemVariable(ids_.cameraSpeed) = 1;
    }

    if (!host_.display.createWindow(kMainWindowClassName)) {
        showMessage(kWindowCreationFailedMessage);
        return false;
    }
    if (!createGraphicsDevice()) {
        return false;
    }
    computeScreenScale();
    if (!settings_.fullScreen) {
        setUpWindow();
    }
    if (!sound_.create()) {
        showMessage(kSoundDeviceFailedMessage);
        return false;
    }
    if (!font_.create("", kDefaultFontHeight)) {
        showMessage(kFontFailedMessage);
        return false;
    }
    if (settings_.scanAll) {
        scripts_.scanTaskFiles();
    }
    loadPackageBundles(config.at("packagePassword"));

    TaskInstance& root = rootInstance();
    if (!scripts_.loadRoot(root, kBootTaskName)) {
        showMessage(kBootTaskMissingMessage);
    }
    scripts_.startRoot(root);
    seedWindowVariables();
    padState(0).openPad(host_.display, 0);
    padState(1).openPad(host_.display, 1);
    return true;
}

// Full screen first when asked, falling back to a window of the same size.
bool Engine::createGraphicsDevice() {
    const int32_t width = settingAsInt("windowWidth");
    const int32_t height = settingAsInt("windowHeight");
    if (settings_.fullScreen && !graphics_.create(width, height, true)) {
        host_.display.showWindow(false);
        showMessage(kFullScreenFailedMessage);
        settings_.fullScreen = false;
    }
    if (!settings_.fullScreen && !graphics_.create(width, height, false)) {
        showMessage(kBackBufferFailedMessage);
        return false;
    }
    return true;
}

void Engine::computeScreenScale() {
    screenScaleX_ = graphics_.backBufferWidth() / settingAsDouble("screenWidth");
    screenScaleY_ = graphics_.backBufferHeight() / settingAsDouble("screenHeight");
}

void Engine::setUpWindow() {
    Display& display = host_.display;
    display.moveWindow(settingAsInt("windowX"), settingAsInt("windowY"));
    display.setClientSize(settingAsInt("windowWidth"), settingAsInt("windowHeight"));
    const TextString& title = configTable().at("windowTitle");
    if (!title.empty()) {
        display.setTitle(title.cStr());
    }
    display.showWindow(true);
}

void Engine::seedWindowVariables() {
    systemVariable(ids_.windowX) = host_.display.windowX();
    systemVariable(ids_.windowY) = host_.display.windowY();
    systemVariable(ids_.windowWidth) = graphics_.backBufferWidth();
    systemVariable(ids_.windowHeight) = graphics_.backBufferHeight();
    systemVariable(ids_.screenWidth) = settingAsDouble("screenWidth");
    systemVariable(ids_.screenHeight) = settingAsDouble("screenHeight");
}

void Engine::shutDown() {
    if (settings_.writeAtExit) {
        savePackageBundles(configTable().at("packagePassword"));
        writeSettings(configTable());
    }
    StopMusic();
    font_.release();
    sound_.freeSoundCache();
    FreeAnimations();
    FreeTextureCache();
    graphics_.release();
    host_.display.destroyWindow();
}

}  // namespace tavro
