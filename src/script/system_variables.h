// SystemVariables: the one process-wide variable table, the "system." scope shared by every
// script. The shell seeds and refreshes entries (window size, mouse, fps, camera) and reads the
// background colour and camera settings the scripts leave there.
#pragma once

#include <cstdint>

#include "script/variable_table.h"

namespace tavro {

VariableTable& systemVariables();

// Element 0 of the system variable with this name number, created as 0 when missing.
double& systemVariable(int32_t nameNumber);

// Only for tests and a fresh engine: empties the table.
void resetSystemVariables();

}  // namespace tavro
