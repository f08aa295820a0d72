// The 2D transforms drawing uses. A TransformMatrix is the affine part of a 4×4 row-vector
// matrix: a point (x, y) maps to (x·m11 + y·m21 + m41, x·m12 + y·m22 + m42); the elements a
// 2D transform never sets stay those of the identity and are not stored. Products are formed
// in single precision, as the matrices are stored.
#pragma once

#include <cstdint>

namespace tavro {

struct TransformMatrix {
    float m11 = 1, m12 = 0;
    float m21 = 0, m22 = 1;
    float m41 = 0, m42 = 0;
};

TransformMatrix Translation(double tx, double ty);
TransformMatrix ScaleTranslation(double tx, double ty, double sx, double sy);
// Scale by (sx, sy), then rotate by angle degrees (clockwise on the y-down screen), then
// translate by (tx, ty).
TransformMatrix ObjectTransform(double tx, double ty, double sx, double sy, double angle);

// The product first × second: first applied, then second.
TransformMatrix Multiply(const TransformMatrix& first, const TransformMatrix& second);

// Factors from script coordinates to back-buffer pixels.
struct ScreenScale {
    double x = 1.0;
    double y = 1.0;
};

// Back-buffer size ÷ script screen size, per axis. An axis whose screen size is not a
// positive number keeps the factor 1, so the picture is neither mirrored nor infinite.
ScreenScale ComputeScreenScale(int32_t backBufferWidth, int32_t backBufferHeight,
                               double screenWidth, double screenHeight);

// The final matrix of an item: object × screen scale × view.
TransformMatrix FinalItemMatrix(const TransformMatrix& object, const ScreenScale& scale,
                                const TransformMatrix& view);

}  // namespace tavro
