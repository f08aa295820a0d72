// GameScripts: the script engine as the shell drives it: the release scan, loading the root
// task, making the tree live and the per-frame pass. The engine's own implementation is
// scriptEngineGameScripts(); tests drive the shell with their own.
#pragma once

#include "script/task_instance.h"
#include "text/text_string.h"

namespace tavro {

class GameScripts {
  public:
    virtual ~GameScripts() = default;
    // Loads every task file of the game folder (a release run).
    virtual void scanTaskFiles() = 0;
    // Makes the root a copy of the named task; false when it cannot be loaded.
    virtual bool loadRoot(TaskInstance& root, const TextString& taskName) = 0;
    // Registers the root's tree in the instance list and runs its constructor scripts.
    virtual void startRoot(TaskInstance& root) = 0;
    // Runs the frame scripts of the root and its subtree.
    virtual void runFramePass(TaskInstance& root) = 0;
};

// The script engine itself: task loader, instance list and interpreter.
GameScripts& scriptEngineGameScripts();

}  // namespace tavro
