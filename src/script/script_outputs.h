// What scripts drive outside the script engine: the camera, for now. The shell installs its
// implementation; with none installed the commands only evaluate their arguments.
#pragma once

namespace tavro {

class ScriptOutputs {
  public:
    virtual ~ScriptOutputs() = default;
    virtual void setCameraTarget(double x, double y) = 0;    // "appeal("
    virtual void setCameraPosition(double x, double y) = 0;  // "view("
};

ScriptOutputs* scriptOutputs();
// Installs the outputs (null removes them). Returns the previous ones.
ScriptOutputs* setScriptOutputs(ScriptOutputs* outputs);

}  // namespace tavro
