// The values the draw and text commands hand to the draw list, computed from an object's
// variables: the modulation colour, the camera's view matrix and the position of an image
// whose animation frames the renderer moves by half their size.
#pragma once

#include <cstdint>

#include "render/transform.h"

namespace tavro {

// Each channel truncated toward zero, its low 8 bits kept (300 gives 44, -1 gives 255).
uint32_t ItemColour(double alpha, double red, double green, double blue);

// The view of an item that follows the camera by scroll factors (1 fully, 0 not at all),
// in back-buffer pixels: the camera position lands at the back buffer's centre.
TransformMatrix CameraView(int32_t backBufferWidth, int32_t backBufferHeight, double cameraX,
                           double cameraY, double scrollX, double scrollY);

// The object-matrix position of an image at script position `position` whose first frame is
// `firstFrameSide` wide (or high): half of it, in script units, is taken off, so the frame's
// centre lands on the position after the renderer's half-frame move. A still image has a
// first frame side of 0 and keeps its position.
double ImagePosition(double position, double firstFrameSide, double screenScale);

}  // namespace tavro
