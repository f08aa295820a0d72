// Engine: one run of a game. Start-up brings up the window, the devices and the root task in
// a fixed order, the frame loop paces the scripts at 60 Hz, and shut-down writes the release
// files (in a release run) and releases everything in the reverse order. The host services
// come from outside; everything the run knows lives in its EngineState, so a second Engine
// in the same process starts exactly as the first one did.
#pragma once

#include <cstdint>
#include <optional>

#include "host/audio_output.h"
#include "host/clock.h"
#include "host/compositor.h"
#include "host/dialogs.h"
#include "host/display.h"
#include "host/file_system.h"
#include "host/font_renderer.h"
#include "host/music_synth.h"
#include "script/engine_state.h"
#include "shell/command_line.h"
#include "shell/frame_timing.h"
#include "shell/game_scripts.h"
#include "shell/main_window_events.h"
#include "shell/release_files.h"

namespace tavro {

inline constexpr const char* kMainWindowClassName = "Tavro";
inline constexpr const char* kBootTaskName = "boot";
inline constexpr int32_t kEndKey = 115;          // F4
inline constexpr int32_t kDisplayModeKey = 122;  // F11
inline constexpr int32_t kPrintScreenKey = 44;   // the window saves a screenshot
inline constexpr uint32_t kDisplaySwitchPause = 100;

struct HostServices {
    Clock& clock;
    Display& display;
    Dialogs& dialogs;
    FileSystem& files;
    Compositor& compositor;
    // The mixer the sound effects play through (none: start-up fails as with no sound
    // device) and the music synthesiser (none: the game runs without MIDI music). Both must
    // outlive the Engine.
    AudioOutput* audio = nullptr;
    MusicSynth* music = nullptr;
    // The font renderer; none: no font can be created, so start-up fails.
    FontRenderer* fonts = nullptr;
};

struct EngineOptions {
    uint64_t frameLimit = 0;       // end the loop after this many frames; 0: no limit
    std::optional<uint32_t> seed;  // the random seed; none: the clock
    // Full screen or a window for this run instead of the game's "fullScreen" setting; the
    // settings themselves (and a release run's rewritten file) keep the game's value.
    std::optional<bool> fullScreen = std::nullopt;
    // The player's remapped keys and pad map.
    ControlSettings controls = {};
    // Where the log's records of severity 2 are told as well; none: nowhere.
    ErrorEcho* errorEcho = nullptr;
};

class Engine {
  public:
    Engine(HostServices host, GameScripts& scripts, EngineOptions options = {});
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Start-up, the frame loop and shut-down: kExitNormal, or kExitStartupFailed when start-up
    // failed or a syntax error stopped the run.
    int run();

    // The steps of run(), for tests. startUp is false when a step failed and the program
    // must end; the loop ends on F4, a quit request, haltRequested or the frame limit.
    bool startUp();
    void runFrameLoop();
    void shutDown();

    EngineState& state() { return state_; }
    const Settings& settings() const { return state_.settings; }
    GraphicsDevice& graphicsDevice() { return state_.graphics; }
    const CurrentFont& font() const { return state_.font; }
    FrameTiming& timing() { return timing_; }
    bool windowActive() const { return events_.active(); }
    ScreenScale screenScale() const { return state_.screenScale; }
    uint64_t framesRun() const { return framesRun_; }
    // What the shut-down of a release run wrote; empty for other runs and for a release run
    // whose start-up did not reach the frame loop.
    const ReleaseFiles& releaseFiles() const { return releaseFiles_; }

  private:
    void showMessage(const char* text);
    // The device in the current display mode, full screen falling back to a window; the
    // messages differ between start-up and a switch. False when no device could be made.
    bool createGraphicsDevice(const char* fullScreenFailed, const char* windowFailed);
    bool createDevice(int32_t width, int32_t height, bool fullScreen);
    void computeScreenScale();
    // A switch first hides the window and shrinks it to 10 × 10 at (0, 0).
    void setUpWindow(bool afterSwitch);
    // The game's "windowTitle", when it gives one.
    void setTitle();
    void seedWindowVariables();
    // One frame's work once its time has come; false when the loop must end.
    bool runFrame();
    void drawFrame();
    void exchangeAfterFrame();
    bool switchDisplayMode();

    // Reads a setting as atoi or atof would.
    int32_t settingAsInt(const char* key);
    double settingAsDouble(const char* key);

    HostServices host_;
    GameScripts& scripts_;
    EngineOptions options_;
    EngineState state_;
    FrameTiming timing_;
    MainWindowEvents events_;
    uint64_t framesRun_ = 0;
    bool reachedFrameLoop_ = false;
    ReleaseFiles releaseFiles_;
};

}  // namespace tavro
