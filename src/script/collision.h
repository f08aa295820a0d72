// The collision test of batch(colid): boxes centred on the position, and circles ("radius",
// "centerX", "centerY" element k) that stand for boxes against boxes.
#pragma once

#include "script/engine_state.h"
#include "script/task_instance.h"

namespace tavro {

struct CollisionBox {
    double left, right, top, bottom;
};

// The box of an instance; reads (and so creates) x, y, width and height.
CollisionBox collisionBox(TaskInstance& instance, const PropertyIds& ids);

// Whether A (with its box computed once by the caller) collides with B.
bool collides(TaskInstance& a, const CollisionBox& aBox, TaskInstance& b, const PropertyIds& ids);

}  // namespace tavro
