#include "render/transform.h"

#include <cmath>

namespace tavro {

namespace {

constexpr double kRadiansPerDegree = 0.017453293;

double AxisScale(int32_t backBufferSide, double screenSide) {
    return screenSide > 0 ? backBufferSide / screenSide : 1.0;
}

}  // namespace

TransformMatrix Translation(double tx, double ty) {
    TransformMatrix m;
    m.m41 = static_cast<float>(tx);
    m.m42 = static_cast<float>(ty);
    return m;
}

TransformMatrix ScaleTranslation(double tx, double ty, double sx, double sy) {
    TransformMatrix m = Translation(tx, ty);
    m.m11 = static_cast<float>(sx);
    m.m22 = static_cast<float>(sy);
    return m;
}

TransformMatrix ObjectTransform(double tx, double ty, double sx, double sy, double angle) {
    const double theta = angle * kRadiansPerDegree;
    const double cosine = std::cos(theta);
    const double sine = std::sin(theta);
    TransformMatrix m = Translation(tx, ty);
    m.m11 = static_cast<float>(sx * cosine);
    m.m12 = static_cast<float>(sx * sine);
    m.m21 = static_cast<float>(-sy * sine);
    m.m22 = static_cast<float>(sy * cosine);
    return m;
}

TransformMatrix Multiply(const TransformMatrix& a, const TransformMatrix& b) {
    TransformMatrix m;
    m.m11 = a.m11 * b.m11 + a.m12 * b.m21;
    m.m12 = a.m11 * b.m12 + a.m12 * b.m22;
    m.m21 = a.m21 * b.m11 + a.m22 * b.m21;
    m.m22 = a.m21 * b.m12 + a.m22 * b.m22;
    m.m41 = a.m41 * b.m11 + a.m42 * b.m21 + b.m41;
    m.m42 = a.m41 * b.m12 + a.m42 * b.m22 + b.m42;
    return m;
}

ScreenScale ComputeScreenScale(int32_t backBufferWidth, int32_t backBufferHeight,
                               double screenWidth, double screenHeight) {
    return ScreenScale{AxisScale(backBufferWidth, screenWidth),
                       AxisScale(backBufferHeight, screenHeight)};
}

TransformMatrix FinalItemMatrix(const TransformMatrix& object, const ScreenScale& scale,
                                const TransformMatrix& view) {
    return Multiply(Multiply(object, ScaleTranslation(0, 0, scale.x, scale.y)), view);
}

}  // namespace tavro
