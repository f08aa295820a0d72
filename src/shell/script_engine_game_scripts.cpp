// The script engine as the shell drives it, and the camera handed to the scripts.
#include "script/instance_list.h"
#include "script/interpreter.h"
#include "script/script_outputs.h"
#include "script/task_loader.h"
#include "shell/camera.h"
#include "shell/game_scripts.h"

namespace tavro {

namespace {

class CameraOutputs final : public ScriptOutputs {
  public:
    void setCameraTarget(double x, double y) override { camera().setCameraTarget(x, y); }
    void setCameraPosition(double x, double y) override { camera().setCameraPosition(x, y); }
};

class ScriptEngineGameScripts final : public GameScripts {
  public:
    void scanTaskFiles() override { tavro::scanTaskFiles("", "*"); }
    bool loadRoot(TaskInstance& root, const TextString& taskName) override {
        return loadTaskInto(root, taskName);
    }
    void startRoot(TaskInstance& root) override {
        RegisterInstance(root);
        RunConstructorPass(root);
    }
    void runFramePass(TaskInstance& root) override { RunFramePass(root); }
};

}  // namespace

GameScripts& scriptEngineGameScripts() {
    static CameraOutputs cameraOutputs;
    static ScriptEngineGameScripts gameScripts;
    setScriptOutputs(&cameraOutputs);
    return gameScripts;
}

}  // namespace tavro
