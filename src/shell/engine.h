// Engine: one run of a game. Start-up brings up the window, the devices and the root task in
// a fixed order, the frame loop paces the scripts at 60 Hz, and shut-down writes the release
// files (in a release run) and releases everything in the reverse order. The host services
// come from outside; the devices and the frame state belong to the engine, so a test can
// build a fresh one.
#pragma once

#include <cstdint>
#include <optional>

#include "host/clock.h"
#include "host/dialogs.h"
#include "host/display.h"
#include "render/current_font.h"
#include "render/graphics_device.h"
#include "shell/command_line.h"
#include "shell/frame_timing.h"
#include "shell/game_scripts.h"
#include "shell/main_window_events.h"
#include "shell/settings.h"
#include "sound/sound_device.h"

namespace tavro {

inline constexpr const char* kMainWindowClassName = "Tavro";
inline constexpr const char* kMessageCaption = "report";
inline constexpr const char* kBootTaskName = "boot";
inline constexpr int32_t kEndKey = 115;          // F4
inline constexpr int32_t kDisplayModeKey = 122;  // F11
inline constexpr uint32_t kDisplaySwitchPause = 100;

struct HostServices {
    Clock& clock;
    Display& display;
    Dialogs& dialogs;
};

struct EngineOptions {
    uint64_t frameLimit = 0;       // end the loop after this many frames; 0: no limit
    std::optional<uint32_t> seed;  // the random seed; none: the clock
};

// The name numbers of the system variables the shell exchanges with the scripts.
struct ShellVariableIds {
    ShellVariableIds();
    int32_t windowX, windowY, windowWidth, windowHeight, screenWidth, screenHeight;
    int32_t fps, mouseX, mouseY, red, green, blue;
    int32_t cameraConf, cameraSpeed, cameraX, cameraY;
};

// 0xFF000000 plus the low 8 bits of each component truncated toward zero.
uint32_t clearColourFrom(double red, double green, double blue);

class Engine {
  public:
    // Resets the process-wide engine state (stop flag, keys, pads, system variables, camera,
    // object tree) and installs the dialogs for the script engine's questions.
    Engine(HostServices host, GameScripts& scripts, EngineOptions options = {});
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Start-up, the frame loop and shut-down: kExitNormal, or kExitStartupFailed.
    int run();

    // The steps of run(), for tests. startUp is false when a step failed and the program
    // must end; the loop ends on F4, a quit request, haltRequested or the frame limit.
    bool startUp();
    void runFrameLoop();
    void shutDown();

    const Settings& settings() const { return settings_; }
    GraphicsDevice& graphicsDevice() { return graphics_; }
    const CurrentFont& font() const { return font_; }
    const SoundDevice& soundDevice() const { return sound_; }
    FrameTiming& timing() { return timing_; }
    bool windowActive() const { return events_.active(); }
    double screenScaleX() const { return screenScaleX_; }
    double screenScaleY() const { return screenScaleY_; }
    uint64_t framesRun() const { return framesRun_; }

  private:
    void showMessage(const char* text);
    bool createGraphicsDevice();
    void computeScreenScale();
    void setUpWindow();
    void seedWindowVariables();
    // One frame's work once its time has come; false when the loop must end.
    bool runFrame();
    void drawFrame();
    void exchangeAfterFrame();
    bool switchDisplayMode();

    HostServices host_;
    GameScripts& scripts_;
    EngineOptions options_;
    ShellVariableIds ids_;
    Settings settings_;
    FrameTiming timing_;
    MainWindowEvents events_;
    GraphicsDevice graphics_;
    CurrentFont font_;
    SoundDevice sound_;
    double screenScaleX_ = 1.0;
    double screenScaleY_ = 1.0;
    uint64_t framesRun_ = 0;
    Dialogs* previousScriptDialogs_ = nullptr;
};

}  // namespace tavro
