#include "render/image_ref.h"

#include <string_view>

namespace tavro {

namespace {

FrameRect FirstFrame(const ImageRef& image, const AnimationTable& animations) {
    FrameRect rect;
    if (image.animationIndex < 0 || !animations.frameRect(image.animationIndex, 0, rect)) {
        return FrameRect{};
    }
    return rect;
}

}  // namespace

bool NamesStillImage(const TextString& fileName) {
    const std::string_view name = fileName.view();
    const std::string_view ending = name.substr(name.size() < 4 ? 0 : name.size() - 4);
    return ending == ".jpg" || ending == ".png" || ending == ".bmp";
}

bool LoadImageRef(ImageRef& image, const TextString& fileName, TextureCache& textures,
                  AnimationTable& animations, GraphicsDevice& device) {
    image = ImageRef{};
    if (NamesStillImage(fileName)) {
        image.textureIndex = textures.loadTexture(fileName, device);
        return image.textureIndex >= 0;
    }
    image.animationIndex = animations.load(fileName);
    if (image.animationIndex < 0) {
        return false;
    }
    image.textureIndex =
        textures.loadTexture(animations.textureFileName(image.animationIndex), device);
    if (image.textureIndex < 0) {
        image.animationIndex = -1;
        return false;
    }
    return true;
}

double FirstFrameWidth(const ImageRef& image, const AnimationTable& animations) {
    const FrameRect frame = FirstFrame(image, animations);
    return static_cast<double>(frame.right) - frame.left;
}

double FirstFrameHeight(const ImageRef& image, const AnimationTable& animations) {
    const FrameRect frame = FirstFrame(image, animations);
    return static_cast<double>(frame.bottom) - frame.top;
}

}  // namespace tavro
