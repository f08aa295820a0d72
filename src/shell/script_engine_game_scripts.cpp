#include "script/interpreter.h"
#include "script/task_instance.h"
#include "script/task_loader.h"
#include "shell/game_scripts.h"

namespace tavro {

void ScriptEngineGameScripts::scanTaskFiles(EngineState& state) {
    tavro::scanTaskFiles(state, "", "*");
}

bool ScriptEngineGameScripts::loadRoot(EngineState& state, TaskInstance& root,
                                       const TextString& taskName) {
    return loadTaskInto(state, root, taskName);
}

void ScriptEngineGameScripts::startRoot(EngineState& state, TaskInstance& root) {
    RegisterInstance(root);
    RunConstructorPass(state, root);
}

void ScriptEngineGameScripts::runFramePass(EngineState& state, TaskInstance& root) {
    RunFramePass(state, root);
}

}  // namespace tavro
