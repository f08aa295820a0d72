// Frames written as PNG files: the player's Print Screen and --screenshot.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/compositor.h"

namespace tavro {

// Print Screen: the last presented frame as a PNG in the player's screenshot folder, its path
// on standard error.
void savePlayerScreenshot(const Compositor& compositor);

// --screenshot: writes the last presented frame to path (nothing when the path is empty); a run
// that presented none writes nothing and says so.
void writeScreenshot(const std::string& path, const std::vector<uint32_t>& pixels, int32_t width,
                     int32_t height);

}  // namespace tavro
