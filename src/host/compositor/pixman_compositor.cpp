#include "host/compositor/pixman_compositor.h"

#include <algorithm>
#include <cstddef>

#include "host/compositor/image_decoder.h"
#include "host/compositor/quad_placement.h"

namespace tavro {

namespace {

// Rows of an image, alpha forced opaque.
void CopyOpaque(pixman_image_t* image, std::vector<uint32_t>& pixels) {
    const int32_t width = pixman_image_get_width(image);
    const int32_t height = pixman_image_get_height(image);
    const int32_t stride = pixman_image_get_stride(image) / 4;
    const uint32_t* rows = pixman_image_get_data(image);
    pixels.resize(static_cast<size_t>(width) * height);
    for (int32_t y = 0; y < height; ++y) {
        const uint32_t* row = rows + static_cast<ptrdiff_t>(y) * stride;
        std::transform(row, row + width, pixels.begin() + static_cast<ptrdiff_t>(y) * width,
                       [](uint32_t pixel) { return pixel | 0xFF000000u; });
    }
}

}  // namespace

PixmanCompositor::PixmanCompositor(FrameSink* frameSink, int32_t threads)
    : frameSink_(frameSink), queued_(threads) {}

PixmanCompositor::~PixmanCompositor() {
    for (pixman_image_t* image : textures_) {
        if (image != nullptr) {
            pixman_image_unref(image);
        }
    }
    releaseBackBuffer();
}

bool PixmanCompositor::createBackBuffer(int32_t width, int32_t height) {
    if (backBuffer_ != nullptr || width < 1 || height < 1 || width > kMaxCompositorSide ||
        height > kMaxCompositorSide) {
        return false;
    }
    backBuffer_ = pixman_image_create_bits(PIXMAN_x8r8g8b8, width, height, nullptr, 0);
    if (backBuffer_ == nullptr) {
        return false;
    }
    clear(0xFF000000);
    return true;
}

void PixmanCompositor::releaseBackBuffer() {
    queued_.discard();
    if (backBuffer_ != nullptr) {
        pixman_image_unref(backBuffer_);
        backBuffer_ = nullptr;
    }
}

void PixmanCompositor::clear(uint32_t argb) {
    if (backBuffer_ == nullptr) {
        return;
    }
    flush();
    auto channel = [&](uint32_t shift) {
        return static_cast<uint16_t>((argb >> shift & 0xFF) * 0x101);
    };
    const pixman_color_t colour{channel(16), channel(8), channel(0), 0xFFFF};
    const pixman_box32_t box{0, 0, pixman_image_get_width(backBuffer_),
                             pixman_image_get_height(backBuffer_)};
    pixman_image_fill_boxes(PIXMAN_OP_SRC, backBuffer_, &colour, 1, &box);
}

TextureHandle PixmanCompositor::createTexture(std::string_view fileBytes, int32_t expectedWidth,
                                              int32_t expectedHeight) {
    pixman_image_t* image =
        DecodeImage(fileBytes, expectedWidth, expectedHeight, kMaxCompositorSide);
    return image == nullptr ? kNoTexture : addTexture(image);
}

TextureHandle PixmanCompositor::createTextureFromPixels(const uint32_t* premultipliedArgb,
                                                        int32_t width, int32_t height) {
    if (width < 1 || height < 1 || width > kMaxCompositorSide || height > kMaxCompositorSide) {
        return kNoTexture;
    }
    pixman_image_t* image = pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, nullptr, 0);
    if (image == nullptr) {
        return kNoTexture;
    }
    const int32_t stride = pixman_image_get_stride(image) / 4;
    uint32_t* rows = pixman_image_get_data(image);
    for (int32_t y = 0; y < height; ++y) {
        std::copy_n(premultipliedArgb + static_cast<ptrdiff_t>(y) * width, width,
                    rows + static_cast<ptrdiff_t>(y) * stride);
    }
    return addTexture(image);
}

TextureHandle PixmanCompositor::addTexture(pixman_image_t* image) {
    const auto freeSlot = std::find(textures_.begin(), textures_.end(), nullptr);
    if (freeSlot != textures_.end()) {
        *freeSlot = image;
        return static_cast<TextureHandle>(freeSlot - textures_.begin());
    }
    textures_.push_back(image);
    return static_cast<TextureHandle>(textures_.size() - 1);
}

void PixmanCompositor::releaseTexture(TextureHandle handle) {
    if (pixman_image_t* image = texture(handle)) {
        pixman_image_unref(image);
        textures_[static_cast<size_t>(handle)] = nullptr;
    }
}

pixman_image_t* PixmanCompositor::texture(TextureHandle handle) const {
    if (handle < 0 || static_cast<size_t>(handle) >= textures_.size()) {
        return nullptr;
    }
    return textures_[static_cast<size_t>(handle)];
}

void PixmanCompositor::draw(const CompositorItem& item) {
    pixman_image_t* whole = texture(item.texture);
    if (whole == nullptr || backBuffer_ == nullptr || (item.colour >> 24) == 0) {
        return;
    }
    const TexelRect rect{std::max(item.source.left, 0), std::max(item.source.top, 0),
                         std::min(item.source.right, pixman_image_get_width(whole)),
                         std::min(item.source.bottom, pixman_image_get_height(whole))};
    const int32_t width = rect.right - rect.left;
    const int32_t height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    QuadPlacement placement;
    if (!PlaceQuad(item, width, height, pixman_image_get_width(backBuffer_),
                   pixman_image_get_height(backBuffer_), sampling_, placement)) {
        return;
    }
    if (!queued_.hasRoomForCopy(width, height)) {
        flush();
    }
    queued_.add(whole, rect, placement, sampling_, item.colour);
}

void PixmanCompositor::flush() const {
    if (backBuffer_ != nullptr) {
        queued_.compose(backBuffer_);
    }
}

void PixmanCompositor::present() {
    if (backBuffer_ == nullptr) {
        return;
    }
    flush();
    CopyOpaque(backBuffer_, presented_);
    presentedWidth_ = pixman_image_get_width(backBuffer_);
    presentedHeight_ = pixman_image_get_height(backBuffer_);
    if (frameSink_ != nullptr) {
        frameSink_->showFrame(presented_.data(), presentedWidth_, presentedHeight_,
                              presentedWidth_);
    }
}

bool PixmanCompositor::readPresentedFrame(std::vector<uint32_t>& pixels, int32_t& width,
                                          int32_t& height) const {
    if (presented_.empty()) {
        return false;
    }
    pixels = presented_;
    width = presentedWidth_;
    height = presentedHeight_;
    return true;
}

bool PixmanCompositor::readBackBuffer(std::vector<uint32_t>& pixels) const {
    if (backBuffer_ == nullptr) {
        return false;
    }
    flush();
    CopyOpaque(backBuffer_, pixels);
    return true;
}

}  // namespace tavro
