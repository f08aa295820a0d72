#include "script/script_engine_state.h"

#include "script/halt.h"
#include "script/name_id_table.h"
#include "script/script_table.h"
#include "script/system_variables.h"
#include "script/task_instance.h"
#include "script/task_table.h"

namespace tavro {

void releaseScriptEngine() {
    resetTaskTable();
    resetInstances();
    resetScriptTable();
}

void resetScriptEngine() {
    resetHalt();
    resetNameIds();
    resetSystemVariables();
    releaseScriptEngine();
}

}  // namespace tavro
