#include "script/camera.h"

namespace tavro {

void Camera::setCameraTarget(double x, double y) {
    targetX_ = x;
    targetY_ = y;
}

void Camera::setCameraPosition(double x, double y) {
    x_ = x;
    y_ = y;
    if (!clamped_) {
        return;
    }
    // A plain clamp into [min, max], the minimum tested first.
    if (x_ < minX_) {
        x_ = minX_;
    }
    if (x_ > maxX_) {
        x_ = maxX_;
    }
    if (y_ < minY_) {
        y_ = minY_;
    }
    if (y_ > maxY_) {
        y_ = maxY_;
    }
}

void Camera::setCameraBounds(int32_t minX, int32_t minY, int32_t maxX, int32_t maxY) {
    minX_ = minX;
    minY_ = minY;
    maxX_ = maxX;
    maxY_ = maxY;
}

void Camera::stepCamera(double speed) {
    const double fraction = speed * 0.01;
    x_ += fraction * (targetX_ - x_);
    y_ += fraction * (targetY_ - y_);
    if (!clamped_) {
        return;
    }
    if (minX_ > x_) {
        x_ = minX_;
    } else if (x_ > maxX_) {
        x_ = maxX_;
    }
    if (minY_ > y_) {
        y_ = minY_;
    } else if (y_ > maxY_) {
        y_ = maxY_;
    }
}

}  // namespace tavro
