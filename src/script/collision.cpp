#include "script/collision.h"

#include <algorithm>
#include <cmath>

namespace tavro {

namespace {

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

// The bounding square of a circle. The box a circle stands for lies inside it, and so does
// every point within reach of another circle of radius r, grown by |r|.
CollisionBox squareOf(double centreX, double centreY, double radius) {
    const double reach = std::fabs(radius);
    return {centreX - reach, centreX + reach, centreY - reach, centreY + reach};
}

CollisionBox boxAround(double x, double y, double width, double height) {
    const double halfWidth = width * 0.5;
    const double halfHeight = height * 0.5;
    return {x - halfWidth, x + halfWidth, y - halfHeight, y + halfHeight};
}

// Whether the circle's bounding square touches the box. When the square misses, the circle's
// box misses too and its trigonometry is skipped; when it touches, the exact test decides.
bool squareTouches(const Circle& circle, const CollisionBox& box) {
    return overlaps(squareOf(circle.centreX, circle.centreY, circle.radius), box);
}

// The circle replaced by the box through its two points toward the other position.
CollisionBox circleBoxToward(const Circle& circle, double fromX, double fromY, double towardX,
                             double towardY) {
    const double theta = std::atan2(towardY - fromY, towardX - fromX);
    const double hx = std::fabs(circle.radius * std::cos(theta));
    const double hy = std::fabs(circle.radius * std::sin(theta));
    return {circle.centreX - hx, circle.centreX + hx, circle.centreY - hy, circle.centreY + hy};
}

// Whether the boxes surely do not touch: false when they touch and when a comparison holds NaN.
bool misses(const CollisionBox& a, const CollisionBox& b) {
    return (a.left > b.right) | (a.right < b.left) | (a.top > b.bottom) | (a.bottom < b.top);
}

bool holdsNaN(const CollisionBox& box) {
    return std::isnan(box.left) || std::isnan(box.right) || std::isnan(box.top) ||
           std::isnan(box.bottom);
}

// Past this radius the exact test's squares of distances overflow, and infinities compare
// equal: such circles are left to the exact test.
constexpr double kLargestReachedRadius = 1e150;
// The squares of the reaches are grown a little beyond the exact squares, so that two circles
// within reach of each other by the exact test's rounded (or underflowing) arithmetic always
// have touching grown squares.
constexpr double kSquareGrowth = 1 + 1e-12;
constexpr double kSquareMargin = 1e-150;

// The square that stands for a circle in a reach.
CollisionBox grownSquare(double centreX, double centreY, double radius) {
    return squareOf(centreX, centreY, std::fabs(radius) * kSquareGrowth + kSquareMargin);
}

// The centres of the instance's circles, one for each of `count` radii; false when "centerX" or
// "centerY" is shorter (the exact test would grow them).
bool circleCentres(const TaskInstance& instance, const PropertyIds& ids, int32_t count,
                   const double*& centresX, const double*& centresY) {
    const Variable* xs = instance.variables.find(ids.centerX);
    const Variable* ys = instance.variables.find(ids.centerY);
    if (xs == nullptr || ys == nullptr || xs->count() < count || ys->count() < count) {
        return false;
    }
    centresX = xs->begin();
    centresY = ys->begin();
    return true;
}

// Grows reach by the square of every circle of the instance at (x, y), radii[0] not 0, as the
// exact test reads them. False when the centres are short and for a radius or square the
// reach cannot stand for.
bool addCircles(const TaskInstance& instance, const PropertyIds& ids, double x, double y,
                const Variable& radii, CollisionBox& reach) {
    const double* centresX = nullptr;
    const double* centresY = nullptr;
    if (!circleCentres(instance, ids, radii.count(), centresX, centresY)) {
        return false;
    }
    for (int32_t k = 0; k < radii.count(); ++k) {
        const double radius = radii.begin()[k];
        if (!(std::fabs(radius) <= kLargestReachedRadius)) {
            return false;
        }
        const CollisionBox square = grownSquare(x + centresX[k], y + centresY[k], radius);
        if (holdsNaN(square)) {
            return false;
        }
        // std::min and std::max keep a NaN of their first argument, so a NaN box stays one.
        reach = {std::min(reach.left, square.left), std::max(reach.right, square.right),
                 std::min(reach.top, square.top), std::max(reach.bottom, square.bottom)};
    }
    return true;
}

// Whether the circle's grown square misses reach; false for a radius the reach cannot stand
// for.
bool circleOutOfReach(const CollisionBox& reach, double centreX, double centreY, double radius) {
    return std::fabs(radius) <= kLargestReachedRadius &&
           misses(reach, grownSquare(centreX, centreY, radius));
}

// 1 for an empty variable, else 0: or-ed together, several are tested in one branch.
int emptiness(const Variable& variable) {
    return variable.empty() ? 1 : 0;
}

// Element 0 of variable id when the table (of at least id + 1 variables) has it, else null.
const double* firstElement(const Variable* table, int32_t id) {
    const Variable& variable = table[id];
    return variable.empty() ? nullptr : variable.begin();
}

}  // namespace

CollisionBox collisionBox(TaskInstance& instance, const PropertyIds& ids) {
    return boxAround(property(instance, ids.x), property(instance, ids.y),
                     property(instance, ids.width), property(instance, ids.height));
}

bool exactCollision(TaskInstance& a, const CollisionBox& aBox, TaskInstance& b,
                    const PropertyIds& ids) {
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

CollisionTest::CollisionTest(TaskInstance& a, const PropertyIds& ids)
    : a_(a),
      ids_(ids),
      ownBox_(collisionBox(a, ids)),
      lastReadId_(std::max({ids.x, ids.y, ids.width, ids.height, ids.radius})) {
    refresh();
}

bool CollisionTest::takeReach() {
    if (a_.variables.count() <= lastReadId_) {
        return false;
    }
    const Variable* table = a_.variables.begin();
    const double* x = firstElement(table, ids_.x);
    const double* y = firstElement(table, ids_.y);
    const double* radius = firstElement(table, ids_.radius);
    reach_ = ownBox_;
    return x != nullptr && y != nullptr && radius != nullptr &&
           (*radius == 0 || addCircles(a_, ids_, *x, *y, table[ids_.radius], reach_));
}

void CollisionTest::refresh() {
    reachKnown_ = takeReach();
}

bool CollisionTest::circlesOutOfReach(const TaskInstance& b, double x, double y,
                                      const Variable& radii) const {
    const double* centresX = nullptr;
    const double* centresY = nullptr;
    if (!circleCentres(b, ids_, radii.count(), centresX, centresY)) {
        return false;
    }
    for (int32_t k = 0; k < radii.count(); ++k) {
        if (!circleOutOfReach(reach_, x + centresX[k], y + centresY[k], radii.begin()[k])) {
            return false;
        }
    }
    return true;
}

TaskInstance* const* CollisionTest::firstWithinReach(TaskInstance* const* from,
                                                     TaskInstance* const* end) const {
    if (!reachKnown_) {
        return from;
    }
    // Taken into locals once: the loop below runs for every instance of the list.
    const CollisionBox reach = reach_;
    const int32_t lastReadId = lastReadId_;
    const int32_t xId = ids_.x, yId = ids_.y, widthId = ids_.width, heightId = ids_.height,
                  radiusId = ids_.radius, centreXId = ids_.centerX, centreYId = ids_.centerY;
    const int32_t centresId = std::max(centreXId, centreYId);
    // The walk fetches in two stages, so that neither waits: the instance that far ahead,
    // and the lines of the table it reads of the instance half as far ahead, whose table
    // pointer came with the first stage.
    constexpr ptrdiff_t kFetchAhead = 16;
    constexpr ptrdiff_t kFetchTableAhead = kFetchAhead / 2;
    for (; from != end; ++from) {
        if (end - from > kFetchAhead) {
            __builtin_prefetch(&from[kFetchAhead]->variables);
        }
        if (end - from > kFetchTableAhead) {
            const TaskInstance& ahead = *from[kFetchTableAhead];
            if (ahead.variables.count() > lastReadId) {
                const Variable* table = ahead.variables.begin();
                __builtin_prefetch(&table[xId]);
                __builtin_prefetch(&table[heightId]);
                __builtin_prefetch(&table[radiusId]);
                __builtin_prefetch(&table[centresId]);
            }
        }
        const TaskInstance& b = **from;
        if (b.variables.count() <= lastReadId) {
            return from;
        }
        const Variable* table = b.variables.begin();
        const Variable& xs = table[xId];
        const Variable& ys = table[yId];
        const Variable& widths = table[widthId];
        const Variable& heights = table[heightId];
        const Variable& radii = table[radiusId];
        // One branch for the five.
        if ((emptiness(xs) | emptiness(ys) | emptiness(widths) | emptiness(heights) |
             emptiness(radii)) != 0) {
            return from;
        }
        const double x = *xs.begin();
        const double y = *ys.begin();
        if (!misses(reach, boxAround(x, y, *widths.begin(), *heights.begin()))) {
            return from;
        }
        const double radius = *radii.begin();
        if (radius == 0) {
            continue;
        }
        // One circle, the usual case, read here; more out of line.
        if (radii.count() != 1 || b.variables.count() <= centresId) {
            if (!circlesOutOfReach(b, x, y, radii)) {
                return from;
            }
            continue;
        }
        const Variable& centresX = table[centreXId];
        const Variable& centresY = table[centreYId];
        if ((emptiness(centresX) | emptiness(centresY)) != 0 ||
            !circleOutOfReach(reach, x + *centresX.begin(), y + *centresY.begin(), radius)) {
            return from;
        }
    }
    return end;
}

bool CollisionTest::collides(TaskInstance& b) {
    TaskInstance* const one[] = {&b};
    if (firstWithinReach(one, one + 1) != one) {
        return false;
    }
    const bool hit = exactCollision(a_, ownBox_, b, ids_);
    refresh();
    return hit;
}

}  // namespace tavro
