#include "script/script_outputs.h"

namespace tavro {

namespace {
ScriptOutputs* installedOutputs = nullptr;
}

ScriptOutputs* scriptOutputs() {
    return installedOutputs;
}

ScriptOutputs* setScriptOutputs(ScriptOutputs* outputs) {
    ScriptOutputs* previous = installedOutputs;
    installedOutputs = outputs;
    return previous;
}

}  // namespace tavro
