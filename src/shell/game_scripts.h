// GameScripts: the script engine as the shell drives it: the release scan, loading the root
// task, making the tree live and the per-frame pass. ScriptEngineGameScripts is the engine's
// own; tests drive the shell with their own.
#pragma once

#include "script/engine_state.h"
#include "script/task_instance.h"
#include "text/text_string.h"

namespace tavro {

class GameScripts {
  public:
    virtual ~GameScripts() = default;
    // Loads every task file of the game folder (a release run).
    virtual void scanTaskFiles(EngineState& state) = 0;
    // Makes the root a copy of the named task; false when it cannot be loaded.
    virtual bool loadRoot(EngineState& state, TaskInstance& root, const TextString& taskName) = 0;
    // Registers the root's tree in the instance list and runs its constructor scripts.
    virtual void startRoot(EngineState& state, TaskInstance& root) = 0;
    // Runs the frame scripts of the root and its subtree.
    virtual void runFramePass(EngineState& state, TaskInstance& root) = 0;
};

// The script engine itself: task loader, instance list and interpreter.
class ScriptEngineGameScripts final : public GameScripts {
  public:
    void scanTaskFiles(EngineState& state) override;
    bool loadRoot(EngineState& state, TaskInstance& root, const TextString& taskName) override;
    void startRoot(EngineState& state, TaskInstance& root) override;
    void runFramePass(EngineState& state, TaskInstance& root) override;
};

}  // namespace tavro
