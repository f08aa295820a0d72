// The collision test of batch(colid): boxes centred on the position, and circles ("radius",
// "centerX", "centerY" element k) that stand for boxes against boxes. Reading an instance's
// values grows its arrays as any read does.
#pragma once

#include "script/engine_state.h"
#include "script/task_instance.h"

namespace tavro {

struct CollisionBox {
    double left, right, top, bottom;
};

// The box of the instance's position, width and height.
CollisionBox collisionBox(TaskInstance& instance, const PropertyIds& ids);

// Whether A, with its box taken once by the caller, collides with B: the exact test.
bool exactCollision(TaskInstance& a, const CollisionBox& aBox, TaskInstance& b,
                    const PropertyIds& ids);

// The test one batch(colid) statement makes of its instance A against each visited B. Before
// the exact test it compares B's box and circle squares with A's reach, the box holding A's
// box and circle squares: the exact test can only answer true when one of them touches it.
// Values are only read this way where the exact test would grow no array, so the arrays end
// as the exact test leaves them.
class CollisionTest {
  public:
    // Takes A's box now, once, as the statement does.
    CollisionTest(TaskInstance& a, const PropertyIds& ids);

    bool collides(TaskInstance& b);
    // The first of the instances [from, end) the exact test could find colliding with A, in
    // order; end when none. Reads nothing an exact test would grow.
    TaskInstance* const* firstWithinReach(TaskInstance* const* from,
                                          TaskInstance* const* end) const;
    // Takes A's reach anew; after scripts ran, which may have changed A.
    void refresh();

  private:
    // A's reach; false when taking it would grow an array or a circle's square is one the
    // reach cannot stand for (NaN, or a radius past the largest reached).
    bool takeReach();
    // Whether B's circle squares, radii[0] not 0, all miss A's reach; false also when reading
    // them would grow an array.
    bool circlesOutOfReach(const TaskInstance& b, double x, double y, const Variable& radii) const;

    TaskInstance& a_;
    const PropertyIds& ids_;
    CollisionBox ownBox_;
    int32_t lastReadId_;  // the largest number of a property every exact test reads
    CollisionBox reach_{};
    bool reachKnown_ = false;
};

}  // namespace tavro
