// TaskInstance: one live object of a game, a copy of a task template with its own variables,
// scripts, images, sounds and children.
#pragma once

#include "script/variable_table.h"

namespace tavro {

struct TaskInstance {
    VariableTable variables;
    TaskInstance* parent = nullptr;
};

}  // namespace tavro
