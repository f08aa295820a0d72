// Direct property access for the interpreter and the shell: an object's properties ("x",
// "angle", "alpha" ...) are element 0 of the variable with that name number.
#pragma once

#include <cstdint>

#include "script/task_instance.h"
#include "script/variable_table.h"

namespace tavro {

// Element 0 of variable nameNumber in table, growing the table and the variable as needed.
inline double& variableElement0(VariableTable& table, int32_t nameNumber) {
    return table[nameNumber][0];
}

// Element 0 of the instance's variable nameNumber, created as 0 when missing.
inline double& property(TaskInstance& instance, int32_t nameNumber) {
    return variableElement0(instance.variables, nameNumber);
}

}  // namespace tavro
