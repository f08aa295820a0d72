#include "host/compositor/pixman_compositor.h"

#include <algorithm>
#include <cstddef>

#include "host/compositor/image_decoder.h"
#include "host/compositor/quad_placement.h"

namespace tavro {

namespace {

constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF;

pixman_color_t PixmanColour(uint32_t argb, bool premultiply) {
    const uint32_t alpha = argb >> 24;
    auto channel = [&](uint32_t shift) {
        uint32_t value = (argb >> shift) & 0xFF;
        if (premultiply) {
            value = (value * alpha + 127) / 255;
        }
        return static_cast<uint16_t>(value * 0x101);
    };
    return pixman_color_t{channel(16), channel(8), channel(0),
                          static_cast<uint16_t>(alpha * 0x101)};
}

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

// A view of the texels of rect inside image, sharing its memory.
pixman_image_t* SubImage(pixman_image_t* image, const TexelRect& rect) {
    const int32_t stride = pixman_image_get_stride(image);
    uint32_t* origin =
        pixman_image_get_data(image) + static_cast<ptrdiff_t>(rect.top) * (stride / 4) + rect.left;
    return pixman_image_create_bits(PIXMAN_a8r8g8b8, rect.right - rect.left, rect.bottom - rect.top,
                                    origin, stride);
}

}  // namespace

PixmanCompositor::PixmanCompositor(FrameSink* frameSink) : frameSink_(frameSink) {}

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
    if (backBuffer_ != nullptr) {
        pixman_image_unref(backBuffer_);
        backBuffer_ = nullptr;
    }
}

void PixmanCompositor::clear(uint32_t argb) {
    if (backBuffer_ == nullptr) {
        return;
    }
    const pixman_color_t colour = PixmanColour(argb | 0xFF000000u, false);
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

pixman_image_t* PixmanCompositor::tintedCopy(pixman_image_t* source, int32_t width, int32_t height,
                                             uint32_t colour) {
    scratch_.resize(std::max(scratch_.size(), static_cast<size_t>(width) * height));
    pixman_image_t* tinted =
        pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, scratch_.data(), width * 4);
    const pixman_color_t premultiplied = PixmanColour(colour, true);
    pixman_image_t* tint = pixman_image_create_solid_fill(&premultiplied);
    pixman_image_set_component_alpha(tint, 1);
    pixman_image_composite32(PIXMAN_OP_SRC, source, tint, tinted, 0, 0, 0, 0, 0, 0, width, height);
    pixman_image_unref(tint);
    return tinted;
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

    pixman_image_t* source = SubImage(whole, rect);
    pixman_image_t* mask = nullptr;
    if ((item.colour & 0x00FFFFFF) != 0x00FFFFFF) {
        pixman_image_t* tinted = tintedCopy(source, width, height, item.colour);
        pixman_image_unref(source);
        source = tinted;
    } else if (item.colour != kOpaqueWhite) {
        const pixman_color_t alpha = PixmanColour(item.colour, true);
        mask = pixman_image_create_solid_fill(&alpha);
    }

    if (placement.kind == QuadKind::kWholePixels) {
        pixman_image_composite32(PIXMAN_OP_OVER, source, mask, backBuffer_, placement.sourceX,
                                 placement.sourceY, 0, 0, placement.x, placement.y, placement.width,
                                 placement.height);
    } else {
        pixman_image_set_transform(source, &placement.transform);
        pixman_image_set_filter(
            source, sampling_ == Sampling::kSmooth ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST,
            nullptr, 0);
        // Edges along the grid keep their edge texels, as a clamped quad does; a rotated
        // quad fades into the transparent outside.
        pixman_image_set_repeat(source, placement.kind == QuadKind::kAxisAligned
                                            ? PIXMAN_REPEAT_PAD
                                            : PIXMAN_REPEAT_NONE);
        pixman_image_composite32(PIXMAN_OP_OVER, source, mask, backBuffer_, placement.x,
                                 placement.y, 0, 0, placement.x, placement.y, placement.width,
                                 placement.height);
    }
    if (mask != nullptr) {
        pixman_image_unref(mask);
    }
    pixman_image_unref(source);
}

void PixmanCompositor::present() {
    if (backBuffer_ == nullptr) {
        return;
    }
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
    CopyOpaque(backBuffer_, pixels);
    return true;
}

}  // namespace tavro
