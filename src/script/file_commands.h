// "save(", "load(" and "init(": a variable as comma-separated numbers in a file, and emptying
// a variable.
#pragma once

#include "script/statement.h"
#include "script/task_instance.h"

namespace tavro {

void saveVariable(const Statement& statement, TaskInstance& current, TaskInstance& origin);
void loadVariable(const Statement& statement, TaskInstance& current);
void initVariable(const Statement& statement, TaskInstance& current);

// "%f" of the value without trailing zeros (and without a trailing "."): 2.5, 3, 100.
TextString formatSavedNumber(double value);

}  // namespace tavro
