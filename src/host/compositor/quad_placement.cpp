#include "host/compositor/quad_placement.h"

#include <algorithm>
#include <cmath>

namespace tavro {

namespace {

struct Bounds {
    double left, top, right, bottom;
};

// Destination bounds of the source rectangle grown by `margin` texels on every side.
Bounds TransformedBounds(const CompositorItem& item, double width, double height, double margin) {
    const AffineMatrix& m = item.matrix;
    Bounds bounds{INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (const double u : {-margin, width + margin}) {
        for (const double v : {-margin, height + margin}) {
            const double x = u - item.centreX;
            const double y = v - item.centreY;
            const double dx = x * m.m11 + y * m.m21 + m.dx;
            const double dy = x * m.m12 + y * m.m22 + m.dy;
            bounds.left = std::min(bounds.left, dx);
            bounds.right = std::max(bounds.right, dx);
            bounds.top = std::min(bounds.top, dy);
            bounds.bottom = std::max(bounds.bottom, dy);
        }
    }
    return bounds;
}

// Pixels [first, last) of an axis whose extent is [low, high], clipped to 0..size.
// pixelCentres counts a pixel when its centre lies inside, top-left rule; otherwise any
// pixel the extent touches counts.
bool PixelSpan(double low, double high, int32_t size, bool pixelCentres, int32_t& first,
               int32_t& last) {
    const double start = pixelCentres ? std::ceil(low - 0.5) : std::floor(low);
    const double end = pixelCentres ? std::ceil(high - 0.5) : std::ceil(high);
    const double clippedStart = std::max(start, 0.0);
    const double clippedEnd = std::min(end, static_cast<double>(size));
    if (!(clippedStart < clippedEnd)) {
        return false;
    }
    first = static_cast<int32_t>(clippedStart);
    last = static_cast<int32_t>(clippedEnd);
    return true;
}

bool IsWhole(double value) {
    return value == std::floor(value);
}

}  // namespace

bool PlaceQuad(const CompositorItem& item, int32_t sourceWidth, int32_t sourceHeight,
               int32_t backWidth, int32_t backHeight, Sampling sampling, QuadPlacement& placement) {
    const AffineMatrix& m = item.matrix;
    const double originX = static_cast<double>(m.dx) - item.centreX;
    const double originY = static_cast<double>(m.dy) - item.centreY;
    const bool axisAligned = m.m12 == 0 && m.m21 == 0;
    if (axisAligned && m.m11 == 1 && m.m22 == 1 && IsWhole(originX) && IsWhole(originY) &&
        std::abs(originX) < kMaxCompositorSide * 4.0 &&
        std::abs(originY) < kMaxCompositorSide * 4.0) {
        int32_t left, right, top, bottom;
        if (!PixelSpan(originX, originX + sourceWidth, backWidth, false, left, right) ||
            !PixelSpan(originY, originY + sourceHeight, backHeight, false, top, bottom)) {
            return false;
        }
        placement = QuadPlacement{QuadKind::kWholePixels,
                                  left,
                                  top,
                                  right - left,
                                  bottom - top,
                                  left - static_cast<int32_t>(originX),
                                  top - static_cast<int32_t>(originY),
                                  {}};
        return true;
    }

    const double determinant =
        static_cast<double>(m.m11) * m.m22 - static_cast<double>(m.m21) * m.m12;
    if (!std::isfinite(determinant) || std::abs(determinant) < 1e-12 || !std::isfinite(m.dx) ||
        !std::isfinite(m.dy)) {
        return false;
    }
    const double fringe = !axisAligned && sampling == Sampling::kSmooth ? 0.5 : 0.0;
    const Bounds bounds = TransformedBounds(item, sourceWidth, sourceHeight, fringe);
    int32_t left, right, top, bottom;
    if (!PixelSpan(bounds.left, bounds.right, backWidth, axisAligned, left, right) ||
        !PixelSpan(bounds.top, bounds.bottom, backHeight, axisAligned, top, bottom)) {
        return false;
    }

    // Destination d = A·(s - centre) + t in column form, so s = A⁻¹·(d - t) + centre.
    const double a = m.m22 / determinant, b = -m.m21 / determinant;
    const double c = -m.m12 / determinant, d = m.m11 / determinant;
    pixman_f_transform inverse;
    pixman_f_transform_init_identity(&inverse);
    inverse.m[0][0] = a;
    inverse.m[0][1] = b;
    inverse.m[0][2] = item.centreX - (a * m.dx + b * m.dy);
    inverse.m[1][0] = c;
    inverse.m[1][1] = d;
    inverse.m[1][2] = item.centreY - (c * m.dx + d * m.dy);
    placement.kind = axisAligned ? QuadKind::kAxisAligned : QuadKind::kRotated;
    placement.x = left;
    placement.y = top;
    placement.width = right - left;
    placement.height = bottom - top;
    return pixman_transform_from_pixman_f_transform(&placement.transform, &inverse) != 0;
}

}  // namespace tavro
