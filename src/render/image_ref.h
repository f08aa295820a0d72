// ImageRef: what an object shows for one of its image names: a still image (a texture of the
// cache) or an animation cutting frames out of one, with the animation's running frame count.
#pragma once

#include <cstdint>

#include "render/animation_table.h"
#include "render/graphics_device.h"
#include "render/texture_cache.h"
#include "text/text_string.h"

namespace tavro {

struct ImageRef {
    int32_t textureIndex = -1;    // -1: no image
    int32_t animationIndex = -1;  // -1: a still image
    int32_t frameCounter = 0;
};

// True for a name ending exactly in ".jpg", ".png" or ".bmp" (lower case): a still image;
// any other image name is an animation file.
bool NamesStillImage(const TextString& fileName);

// Fills the reference from a file name: a name ending exactly in ".jpg", ".png" or ".bmp"
// (lower case) is a still image, any other an animation file. False when nothing loads; a
// still image's failure leaves its texture index at -1, an animation whose sprite sheet fails
// is dropped as a whole.
bool LoadImageRef(ImageRef& image, const TextString& fileName, TextureCache& textures,
                  AnimationTable& animations, GraphicsDevice& device);

// Width and height of the animation's first frame (counter 0); 0 for a still image.
double FirstFrameWidth(const ImageRef& image, const AnimationTable& animations);
double FirstFrameHeight(const ImageRef& image, const AnimationTable& animations);

}  // namespace tavro
