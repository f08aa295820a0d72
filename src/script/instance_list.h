// The instance list: every registered instance, newest first, for the batch walks. The list
// does not own its instances; an instance leaves it when it is destroyed or removed from its
// parent. Walks follow the rules in task_instance.h (InstanceWalkScope, `after`).
#pragma once

#include <cstdint>

#include "script/task_instance.h"

namespace tavro {

// Inserts the instance directly after the list's head, then each of its children (in child
// order, each with its subtree) the same way. An instance already registered is left alone.
void RegisterInstance(TaskInstance& instance);
// Takes the instance and its subtree out of the list.
void unregisterInstanceTree(TaskInstance& instance);
// Takes only this instance out of the list.
void unregisterInstance(TaskInstance& instance);

TaskInstance* firstRegisteredInstance(ObjectTree& tree);
// The registered instance after this one, also when this one left the list during the walk.
TaskInstance* nextRegisteredInstance(const TaskInstance& instance);
int32_t registeredInstanceCount(const ObjectTree& tree);

}  // namespace tavro
