// Starts a game as the frame loop does: the root object loaded from the boot text, registered
// and through its constructor pass.
#pragma once

#include <string>

#include "script/engine_state.h"
#include "script/interpreter.h"
#include "script/task_instance.h"
#include "script/task_loader.h"
#include "support/game_folder.h"

namespace tavro::testing {

// Writes `boot` into the folder and starts the game's root from it; false when the boot task
// does not load.
inline bool startGame(EngineState& state, GameFolder& folder, const std::string& boot) {
    folder.files["boot"] = boot;
    TaskInstance& root = state.objects.root();
    if (!loadTaskInto(state, root, "boot")) {
        return false;
    }
    RegisterInstance(root);
    RunConstructorPass(state, root);
    return true;
}

}  // namespace tavro::testing
