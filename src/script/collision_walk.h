// The walk of one batch(colid) statement: the instances its body runs for, in instance-list
// order, those that collide with the statement's instance A when the walk reaches them.
#pragma once

#include <cstddef>

#include "script/collision.h"
#include "script/collision_order.h"

namespace tavro {

class CollisionWalk {
  public:
    // Takes A's box now, as the statement does.
    CollisionWalk(ObjectTree& tree, CollisionOrder& order, TaskInstance& a, const PropertyIds& ids);

    // The next instance after the last one given (the first time: from the list's start),
    // neither A nor the root, that collides with A; null at the list's end. While the list
    // stays as it was when the walk began, it steps through the array of the list; once the
    // body has changed the list, it follows the links from the last instance given.
    TaskInstance* next();
    // After the body ran for the instance next() gave.
    void bodyRan() { test_.refresh(); }

  private:
    TaskInstance* step();

    ObjectTree& tree_;
    CollisionOrder& order_;
    TaskInstance& a_;
    CollisionTest test_;
    uint64_t version_;
    size_t index_ = 0;  // in the array: the next instance to step to
    bool inArray_ = true;
    TaskInstance* last_ = nullptr;  // the last instance stepped to
};

}  // namespace tavro
