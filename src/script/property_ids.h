// The name numbers of the object properties the interpreter reads directly, interned once.
#pragma once

#include <cstdint>

namespace tavro {

struct PropertyIds {
    int32_t x, y, width, height, scaleX, scaleY, angle, alpha, red, green, blue, scrollX, scrollY,
        priority, radius, centerX, centerY;
};

// Interned when first asked for, in the order listed.
PropertyIds propertyIds();
int32_t flagStoperId();

}  // namespace tavro
