#include "script/script_outputs.h"

#include <utility>

namespace tavro {

namespace {
ScriptOutputs* installedOutputs = nullptr;
}

ScriptOutputs* scriptOutputs() {
    return installedOutputs;
}

ScriptOutputs* setScriptOutputs(ScriptOutputs* outputs) {
    return std::exchange(installedOutputs, outputs);
}

}  // namespace tavro
