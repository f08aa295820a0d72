#include "script/object_commands.h"

#include <cmath>
#include <memory>

#include "script/contexts.h"
#include "script/engine_state.h"
#include "script/interpreter.h"
#include "script/task_instance.h"

namespace tavro {

namespace {

// The collision test of batch(colid): boxes centred on the position, and circles ("radius",
// "centerX", "centerY" element k) that stand for boxes against boxes.
struct CollisionBox {
    double left, right, top, bottom;
};

bool overlaps(const CollisionBox& a, const CollisionBox& b) {
    return a.left <= b.right && a.right >= b.left && a.top <= b.bottom && a.bottom >= b.top;
}

struct Circle {
    double centreX, centreY, radius;
};

// Circle k of the instance; reads grow "radius", "centerX" and "centerY" as needed.
Circle circleOf(TaskInstance& instance, const PropertyIds& ids, int32_t k) {
    return {property(instance, ids.x) + instance.variables[ids.centerX][k],
            property(instance, ids.y) + instance.variables[ids.centerY][k],
            instance.variables[ids.radius][k]};
}

bool hasCircles(TaskInstance& instance, const PropertyIds& ids) {
    return instance.variables[ids.radius][0] != 0;
}

// Whether the circle's bounding square touches the box. The box a circle stands for lies
// inside that square, so when the square misses, the circle's box misses too and its
// trigonometry is skipped; when it touches, the exact test decides.
bool squareTouches(const Circle& circle, const CollisionBox& box) {
    const double reach = std::fabs(circle.radius);
    return overlaps({circle.centreX - reach, circle.centreX + reach, circle.centreY - reach,
                     circle.centreY + reach},
                    box);
}

// The circle replaced by the box through its two points toward the other position.
CollisionBox circleBoxToward(const Circle& circle, double fromX, double fromY, double towardX,
                             double towardY) {
    const double theta = std::atan2(towardY - fromY, towardX - fromX);
    const double hx = std::fabs(circle.radius * std::cos(theta));
    const double hy = std::fabs(circle.radius * std::sin(theta));
    return {circle.centreX - hx, circle.centreX + hx, circle.centreY - hy, circle.centreY + hy};
}

CollisionBox collisionBox(TaskInstance& instance, const PropertyIds& ids) {
    const double x = property(instance, ids.x);
    const double y = property(instance, ids.y);
    const double halfWidth = property(instance, ids.width) * 0.5;
    const double halfHeight = property(instance, ids.height) * 0.5;
    return {x - halfWidth, x + halfWidth, y - halfHeight, y + halfHeight};
}

// Whether A (with its box computed once by the caller) collides with B.
bool collides(TaskInstance& a, const CollisionBox& aBox, TaskInstance& b, const PropertyIds& ids) {
    const CollisionBox bBox = collisionBox(b, ids);
    if ((property(b, ids.width) != 0 || property(b, ids.height) != 0) && overlaps(aBox, bBox)) {
        return true;
    }
    const double ax = property(a, ids.x), ay = property(a, ids.y);
    const double bx = property(b, ids.x), by = property(b, ids.y);
    if (hasCircles(a, ids)) {
        for (int32_t i = 0; i < a.variables[ids.radius].count(); ++i) {
            const Circle aCircle = circleOf(a, ids, i);
            if (hasCircles(b, ids)) {
                for (int32_t j = 0; j < b.variables[ids.radius].count(); ++j) {
                    const Circle bCircle = circleOf(b, ids, j);
                    const double dx = aCircle.centreX - bCircle.centreX;
                    const double dy = aCircle.centreY - bCircle.centreY;
                    const double reach = aCircle.radius + bCircle.radius;
                    if (dx * dx + dy * dy <= reach * reach) {
                        return true;
                    }
                }
            }
            if (squareTouches(aCircle, bBox) &&
                overlaps(circleBoxToward(aCircle, ax, ay, bx, by), bBox)) {
                return true;
            }
        }
    }
    if (hasCircles(b, ids)) {
        for (int32_t j = 0; j < b.variables[ids.radius].count(); ++j) {
            const Circle bCircle = circleOf(b, ids, j);
            if (squareTouches(bCircle, aBox) &&
                overlaps(circleBoxToward(bCircle, bx, by, ax, ay), aBox)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

void createObject(EngineState& state, const Statement& statement, TaskInstance& current,
                  TaskInstance& origin, bool asChild) {
    TaskInstance* parent = asChild ? &current : current.parent;
    const TextString& taskName = statement.text(0);
    if (parent == nullptr || taskName.empty()) {
        return;
    }
    if (state.objects.liveCount() >= kInstanceLimit) {
        state.log.record("object limit reached: new object not created", Severity::kError);
        return;
    }
    // Past the bound the object is not made at all, so a self-creating constructor stops.
    CallDepthGuard depth(state, Nesting::kConstructors,
                         "constructor nesting too deep: new object not created");
    if (!depth.entered()) {
        return;
    }
    std::unique_ptr<TaskInstance> created = state.objects.newInstance();
    if (!loadTaskInto(state, *created, taskName)) {
        return;
    }
    InstanceContext context(state, &current, &origin);
    const PropertyIds& ids = state.propertyIds();
    property(*created, ids.x) += statement.expression(0).evaluate(&context);
    property(*created, ids.y) += statement.expression(1).evaluate(&context);
    created->parent = parent;
    RegisterInstance(*created);
    RunConstructorPass(state, *created);
    AddChild(*parent, std::move(created));
}

void runBatch(EngineState& state, const Statement& statement, uint32_t kind,
              TaskInstance& current) {
    const Statement* body = statement.body.get();
    if (body == nullptr) {
        return;
    }
    InstanceWalkScope walk(state.objects);
    if (kind == kCodeBatchMy) {
        for (TaskInstance* child = current.children.first(); child != nullptr;
             child = ChildList::after(*child)) {
            RunStatementChain(state, body, *child, true, current);
        }
        return;
    }
    TaskInstance& root = state.objects.root();
    const bool colliding = kind == kCodeBatchColid;
    const PropertyIds& ids = state.propertyIds();
    const CollisionBox ownBox = colliding ? collisionBox(current, ids) : CollisionBox{};
    for (TaskInstance* visited = firstRegisteredInstance(state.objects); visited != nullptr;
         visited = nextRegisteredInstance(*visited)) {
        if (kind != kCodeBatch && visited == &current) {
            continue;
        }
        if (colliding && (visited == &root || !collides(current, ownBox, *visited, ids))) {
            continue;
        }
        RunStatementChain(state, body, *visited, true, current);
    }
}

}  // namespace tavro
