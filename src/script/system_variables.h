// SystemVariables: the one process-wide variable table, the "system." scope shared by every
// script. The shell seeds and refreshes entries (window size, mouse, fps, camera) and reads the
// background colour and camera settings the scripts leave there.
#pragma once

#include <cstdint>

#include "script/variable_table.h"

namespace tavro {

namespace detail {
// Held here, not behind a call, because compiled "system." references reach it every frame.
inline VariableTable systemVariableTable;
}  // namespace detail

inline VariableTable& systemVariables() {
    return detail::systemVariableTable;
}

// Element 0 of the system variable with this name number, created as 0 when missing.
inline double& systemVariable(int32_t nameNumber) {
    return systemVariables()[nameNumber][0];
}

// Only for tests and a fresh engine: empties the table.
inline void resetSystemVariables() {
    systemVariables().clear();
}

}  // namespace tavro
