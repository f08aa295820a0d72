// EngineState: everything one run of the engine knows, in one object the Engine owns. Every
// function that needs part of it is handed the state (or reaches it through the context that
// travels through an evaluation), so two runs in one process never see each other, and the
// hot paths hold name numbers interned once instead of looking names up by text.
#pragma once

#include <cstdint>

#include "host/audio_output.h"
#include "host/compositor.h"
#include "host/dialogs.h"
#include "host/file_system.h"
#include "host/font_renderer.h"
#include "host/music_synth.h"
#include "platform/key_state.h"
#include "platform/pad_state.h"
#include "platform/player_controls.h"
#include "render/animation_table.h"
#include "render/current_font.h"
#include "render/draw_list.h"
#include "render/graphics_device.h"
#include "render/texture_cache.h"
#include "render/transform.h"
#include "script/camera.h"
#include "script/collision_order.h"
#include "script/load_listener.h"
#include "script/reserved_names.h"
#include "script/script_table.h"
#include "script/task_instance.h"
#include "script/task_loader.h"
#include "script/variables.h"
#include "sound/music_player.h"
#include "sound/sound_cache.h"
#include "text/error_log.h"
#include "text/named_text_table.h"
#include "text/package_bundles.h"

namespace tavro {

using ConfigTable = NamedTextTable;

// Switches derived from the settings; all off until applySettings runs.
struct Settings {
    bool fullScreen = false;
    int32_t frameSkipThreshold = 0;  // used as unsigned by the frame loop
    bool antiAlias = false;
    bool bundleOnlyTasks = false;
    bool bundleOnlyScripts = false;
    bool bundleOnlyAnimations = false;
    bool writeAtExit = false;
    bool scanAll = false;

    SourceMode sourceMode(BundleKind kind) const {
        const bool bundleOnly = kind == BundleKind::kTask     ? bundleOnlyTasks
                                : kind == BundleKind::kScript ? bundleOnlyScripts
                                                              : bundleOnlyAnimations;
        return bundleOnly ? SourceMode::kBundleOnly : SourceMode::kOriginalFirst;
    }
};

// The pseudo-random generator behind "rand(": a 32-bit linear congruential state,
// s = s * 214013 + 2531011, yielding bits 16 to 30 of each new state (0 ... 32767).
class RandomGenerator {
  public:
    void seed(uint32_t seed) { state_ = seed; }
    int32_t next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int32_t>((state_ >> 16) & 0x7FFFu);
    }

  private:
    uint32_t state_ = 0;
};

// How deep the loader, the compiler and the interpreter are nested right now, and how many
// "script(" calls the current frame has made; each is bounded where it is counted.
struct NestingCounters {
    int32_t taskFiles = 0;
    int32_t compiledBlocks = 0;
    int32_t scriptCalls = 0;
    int32_t constructors = 0;
    int32_t textReferences = 0;
    int64_t scriptCallsThisFrame = 0;
};

struct EngineState {
    // A fresh run: empty tables, the stop flag clear, and the start names numbered. The
    // graphics device draws with the host's compositor; sounds play through `audio`, music
    // through `music` and texts through `fonts`, each null when the host has none. All of them
    // must outlive the state.
    EngineState(FileSystem& files, Dialogs* dialogs, Compositor& compositor,
                AudioOutput* audio = nullptr, MusicSynth* music = nullptr,
                FontRenderer* fonts = nullptr);
    EngineState(const EngineState&) = delete;
    EngineState& operator=(const EngineState&) = delete;

    // The interpreter's property numbers; 0 until its first run numbers them.
    const PropertyIds& propertyIds() const { return interpreterNames.properties(); }
    // Element 0 of the system variable with this name number, created as 0 when missing.
    double& systemVariable(int32_t nameNumber) {
        return variableElement0(systemVariables, nameNumber);
    }
    // The message boxes of the script engine (syntax error, runaway loop); none: not shown,
    // and a question is answered Yes.
    Dialogs* dialogs;
    // Who hears of every file read and every problem found while loading; none in a run.
    LoadListener* loadListener = nullptr;

    FileSystem& files;
    ErrorLog log;
    ConfigTable config;
    Settings settings;
    // The texts of every task, script and animation file read in the run, by kind.
    PackageBundles bundles;
    // The one stop flag: set by a window close, "quit(", a Yes to the runaway-loop question,
    // a syntax error and a killed root; once set, the loader, the compiler, the interpreter
    // and the frame loop refuse further work. It is never cleared in a run.
    bool haltRequested = false;
    // Where the script statement running now starts; unknown outside scripts. The error echo
    // names it.
    SourceLocation runningAt;
    // The syntax error that stopped the run, when one did: where its statement starts, and
    // the statement (its header, for a block statement).
    struct SyntaxStop {
        bool happened = false;
        SourceLocation where;
        TextString statement;
    } syntaxStop;

    NameIdTable names;
    StartPropertyIds startIds;
    SystemVariableIds systemIds;
    InterpreterNames interpreterNames;
    VariableTable systemVariables;  // the "system." scope
    double sizeCell = 0;            // what a ".size" reference reads (and harmlessly writes)
    int32_t answerCell = 0;         // what a naming or compiling context answers through

    // Before the objects and the task templates: the voices of their SoundRefs are freed
    // through the cache.
    SoundCache soundCache;
    MusicPlayer musicPlayer;

    ScriptTable scripts;
    ObjectTree objects;             // before the task templates, which it counts
    CollisionOrder collisionOrder;  // the instance list as batch(colid) walks it
    TaskTable tasks;
    NestingCounters nesting;
    RandomGenerator random;
    Camera camera;
    KeyState keys;
    PadState pads[kPadCount];
    // Pad 1 of the scripts is index 0, pad 2 index 1; any other index gives pad 1.
    PadState& pad(int32_t index) { return pads[index == 1 ? 1 : 0]; }
    // The player's remapped keys and pad-driven keys, between the window and the key table.
    PlayerControls controls;
    // A compiled key test names a pad ("pad1." or "pad2."): the game reads pads.
    bool scriptsTestPads = false;

    GraphicsDevice graphics;
    TextureCache textures;
    AnimationTable animations;  // its texts through the animation bundle table
    DrawList drawList;
    // Script coordinates to back-buffer pixels; set when the device is created.
    ScreenScale screenScale;
    CurrentFont font;
};

}  // namespace tavro
