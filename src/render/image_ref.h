// ImageRef: what an object shows for one of its image names. For now the image is only
// named, not loaded: the texture cache that fills the indices comes later.
#pragma once

#include <cstdint>

#include "text/text_string.h"

namespace tavro {

struct ImageRef {
    int32_t textureIndex = -1;    // -1: no image
    int32_t animationIndex = -1;  // -1: a still image
    int32_t frameCounter = 0;
    TextString fileName;  // the image or animation file the task names
};

// Fills the reference from a file name. Records the name and succeeds; nothing is loaded yet.
bool LoadImageRef(ImageRef& image, const TextString& fileName);

}  // namespace tavro
