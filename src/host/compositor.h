// The sprite compositor as the engine sees it: one back buffer, textures decoded from image
// files or made from rasterised text, and one drawing operation, a textured quad placed by an
// affine matrix, its texels multiplied by an ARGB colour and blended by texel alpha × colour alpha.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tavro {

// Largest back buffer or texture side the compositor accepts; larger requests fail without
// allocating.
inline constexpr int32_t kMaxCompositorSide = 8192;

using TextureHandle = int32_t;
inline constexpr TextureHandle kNoTexture = -1;

enum class Sampling { kPoint, kSmooth };

// A row-vector affine map: (x, y) -> (x·m11 + y·m21 + dx, x·m12 + y·m22 + dy).
struct AffineMatrix {
    float m11 = 1, m12 = 0;
    float m21 = 0, m22 = 1;
    float dx = 0, dy = 0;
};

// Texel rectangle [left, right) × [top, bottom) of a texture.
struct TexelRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct CompositorItem {
    TextureHandle texture = kNoTexture;
    TexelRect source;
    // The point of the source rectangle, relative to its top-left corner, that the matrix
    // places at its origin.
    float centreX = 0, centreY = 0;
    AffineMatrix matrix;
    uint32_t colour = 0xFFFFFFFF;  // ARGB modulation
};

// Receives each presented frame: opaque ARGB rows, `stride` pixels apart.
class FrameSink {
  public:
    virtual ~FrameSink() = default;
    virtual void showFrame(const uint32_t* pixels, int32_t width, int32_t height,
                           int32_t stride) = 0;
};

class Compositor {
  public:
    virtual ~Compositor() = default;

    // Creates the back buffer, cleared to opaque black. False for a side below 1 or above
    // kMaxCompositorSide, or when one exists already.
    virtual bool createBackBuffer(int32_t width, int32_t height) = 0;
    virtual void releaseBackBuffer() = 0;
    virtual bool hasBackBuffer() const = 0;

    virtual void clear(uint32_t argb) = 0;
    virtual void setSampling(Sampling sampling) = 0;

    // Decodes a BMP, PNG or JPEG file's bytes into a texture of the image's own size; its
    // transparency comes from the file's alpha channel alone. Fails (kNoTexture) for data
    // that does not decode, for an image whose size is not expectedWidth × expectedHeight,
    // and for a side above kMaxCompositorSide, which is refused before decoding.
    virtual TextureHandle createTexture(std::string_view fileBytes, int32_t expectedWidth,
                                        int32_t expectedHeight) = 0;
    // A texture of premultiplied ARGB pixels, rows `width` apart (rasterised text). Fails
    // (kNoTexture) for a side below 1 or above kMaxCompositorSide.
    virtual TextureHandle createTextureFromPixels(const uint32_t* premultipliedArgb, int32_t width,
                                                  int32_t height) = 0;
    virtual void releaseTexture(TextureHandle texture) = 0;

    // Draws one item onto the back buffer; an unknown texture or an empty rectangle draws
    // nothing.
    virtual void draw(const CompositorItem& item) = 0;

    // Hands the back buffer to the frame sink and keeps it as the last presented frame.
    virtual void present() = 0;
    // The last presented frame as opaque ARGB, row after row; false when none was presented.
    virtual bool readPresentedFrame(std::vector<uint32_t>& pixels, int32_t& width,
                                    int32_t& height) const = 0;
    // The back buffer as it is now, for tests and screenshots of an unpresented frame.
    virtual bool readBackBuffer(std::vector<uint32_t>& pixels) const = 0;
};

}  // namespace tavro
