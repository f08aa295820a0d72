#include "render/item_values.h"

#include "text/numeric.h"

namespace tavro {

uint32_t ItemColour(double alpha, double red, double green, double blue) {
    auto channel = [](double value, int shift) { return (toUInt32(value) & 0xFF) << shift; };
    return channel(alpha, 24) | channel(red, 16) | channel(green, 8) | channel(blue, 0);
}

TransformMatrix CameraView(int32_t backBufferWidth, int32_t backBufferHeight, double cameraX,
                           double cameraY, double scrollX, double scrollY) {
    return Translation(backBufferWidth / 2 - cameraX * scrollX,
                       backBufferHeight / 2 - cameraY * scrollY);
}

double ImagePosition(double position, double firstFrameSide, double screenScale) {
    return position - firstFrameSide * 0.5 / screenScale;
}

}  // namespace tavro
