// "save(", "load(" and "init(": a variable as comma-separated numbers in a file, and emptying
// a variable.
#pragma once

#include "script/contexts.h"
#include "script/statement.h"

namespace tavro {

// Each works on the context's current instance.
void saveVariable(InstanceContext& context, const Statement& statement);
void loadVariable(InstanceContext& context, const Statement& statement);
void initVariable(InstanceContext& context, const Statement& statement);

// "%f" of the value without trailing zeros (and without a trailing "."): 2.5, 3, 100.
TextString formatSavedNumber(double value);

}  // namespace tavro
