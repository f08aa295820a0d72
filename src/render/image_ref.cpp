#include "render/image_ref.h"

namespace tavro {

bool LoadImageRef(ImageRef& image, const TextString& fileName) {
    image = ImageRef{};
    image.fileName = fileName;
    return true;
}

}  // namespace tavro
