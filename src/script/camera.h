// Camera: the one scrolling viewpoint. Scripts set its target ("appeal(") and position
// ("view("); the frame loop moves it toward the target every frame, clamped to its bounds
// when the clamp flag is set.
#pragma once

#include <cstdint>

namespace tavro {

class Camera {
  public:
    void setCameraTarget(double x, double y);
    // Stores the position, clamped into the bounds when the clamp flag is set.
    void setCameraPosition(double x, double y);
    void setCameraBounds(int32_t minX, int32_t minY, int32_t maxX, int32_t maxY);
    void setClamped(bool clamped) { clamped_ = clamped; }
    // Moves speed percent of the remaining distance toward the target, then clamps.
    void stepCamera(double speed);

    double x() const { return x_; }
    double y() const { return y_; }
    double targetX() const { return targetX_; }
    double targetY() const { return targetY_; }
    bool clamped() const { return clamped_; }

  private:
    double x_ = 0;
    double y_ = 0;
    double targetX_ = 0;
    double targetY_ = 0;
    bool clamped_ = false;
    int32_t minX_ = 0;
    int32_t minY_ = 0;
    int32_t maxX_ = 0;
    int32_t maxY_ = 0;
};

}  // namespace tavro
