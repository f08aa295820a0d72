#include "script/collision.h"

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

}  // namespace

CollisionBox collisionBox(TaskInstance& instance, const PropertyIds& ids) {
    const double x = property(instance, ids.x);
    const double y = property(instance, ids.y);
    const double halfWidth = property(instance, ids.width) * 0.5;
    const double halfHeight = property(instance, ids.height) * 0.5;
    return {x - halfWidth, x + halfWidth, y - halfHeight, y + halfHeight};
}

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

}  // namespace tavro
