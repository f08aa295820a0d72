// The statements that make, remove and visit objects: "new(", "friend(", "kill(" and the four
// "batch(" walks.
#pragma once

#include "script/statement.h"
#include "script/task_instance.h"

namespace tavro {

struct EngineState;

// "new(" (asChild) or "friend(": makes the object, registers it, runs its constructors and
// puts it first in its parent's children.
void createObject(EngineState& state, const Statement& statement, TaskInstance& current,
                  TaskInstance& origin, bool asChild);
// Runs the statement's body for each instance its batch kind visits.
void runBatch(EngineState& state, const Statement& statement, uint32_t kind, TaskInstance& current);

}  // namespace tavro
