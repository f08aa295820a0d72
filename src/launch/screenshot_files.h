// Frames written as PNG files: the player's Print Screen and --screenshot.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/compositor.h"

namespace tavro {

// Print Screen: the last presented frame as a PNG in the player's screenshot folder, its path
// on standard error.
void savePlayerScreenshot(const Compositor& compositor);

// How the last presented frame is read back: false, or width 0, when there is none.
using FrameReader = std::function<bool(std::vector<uint32_t>&, int32_t&, int32_t&)>;

// --screenshot: writes the frame readFrame gives to path (nothing when the path is empty); a run
// that presented none writes nothing and says so.
void writeScreenshot(const std::string& path, const FrameReader& readFrame);

}  // namespace tavro
