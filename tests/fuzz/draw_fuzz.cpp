// Fuzz target: "draw(" with any variables over a real texture, through the real compositor.
//
// The root object's task fills the image "pic" from an 8 × 6 PNG with an alpha channel, made
// here byte by byte. The input chooses the screen scale, the sampling, the camera, whether a
// frame's picture is skipped, and for each of a few frames up to four draws: the image id
// ("pic", a name never filled, or a number such as 0, -1, 65536, 1e9 or 2^32 + 1) and the
// object's x, y, angle, scaleX, scaleY, alpha, red, green, blue, priority, scrollX and scrollY
// and the draw's dx, dy, fixed and hold. Each value is one of the hard cases (0, NaN, the
// infinities, 1e300, 1e18, -1, 2^31, ...) or any 8 bytes as a double. The frames run as the
// frame loop runs them: the frame pass, then the draw list rendered by a PixmanCompositor
// (no window) and presented, or discarded; then the back buffer cleared.
//
// Run from the repository root: scripts/fuzz draw [SECONDS] -max_len=1024

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "host/compositor/pixman_compositor.h"
#include "render/draw_list.h"
#include "script/engine_state.h"
#include "script/interpreter.h"
#include "script/task_instance.h"
#include "script/task_loader.h"
#include "support/file_bytes.h"
#include "support/game_start.h"

namespace {

constexpr int kFrames = 3;
constexpr int kDrawsPerFrame = 4;
constexpr int32_t kBackWidth = 64;
constexpr int32_t kBackHeight = 48;

// The variables of one draw, in the order the script assigns them; the last four are the
// draw's arguments dx, dy, fixed and hold.
constexpr const char* kProperties[] = {"x",   "y",     "angle", "scaleX",   "scaleY",  "alpha",
                                       "red", "green", "blue",  "priority", "scrollX", "scrollY"};

constexpr const char* kImageIds[] = {"pic", "pic",         "pic",        "pic",   "hole",
                                     "0",   "-1",          "1",          "65535", "65536",
                                     "1e9", "-2147483649", "4294967297", "2.5",   "-1e300"};

// An 8 × 6 RGBA image: four coloured quadrants, a half-transparent column and a transparent
// corner.
std::string SmallPng() {
    std::vector<uint32_t> pixels;
    for (uint32_t y = 0; y < 6; ++y) {
        for (uint32_t x = 0; x < 8; ++x) {
            const uint32_t alpha = x == 0 && y == 0 ? 0 : x == 5 ? 128 : 255;
            pixels.push_back((x >= 4 ? 0x0000C800u : 0xFF000000u) | (y >= 3 ? 0xFF0000 : 0x280000) |
                             alpha);
        }
    }
    return tavro::testing::pngFile(8, 6, pixels);
}

// Reads the input front to back; past its end every read gives 0.
class InputReader {
  public:
    InputReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }

    // A hard case from the table, or any 8 bytes as a double.
    double value() {
        constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
        constexpr double kInfinity = std::numeric_limits<double>::infinity();
        constexpr double kCases[] = {0,      1,        -1,           0.5,           2,
                                     255,    256,      300,          -256,          kNan,
                                     -kNan,  1e300,    -1e300,       kInfinity,     -kInfinity,
                                     1e18,   -1e18,    2147483648.0, -2147483649.0, 4294967295.0,
                                     1e-300, 45,       90,           32767,         -32768,
                                     1e-6,   4.9e-324, 1e9,          100,           -100,
                                     30};
        constexpr size_t kCount = sizeof(kCases) / sizeof(kCases[0]);
        const uint8_t tag = byte();
        if (tag < 0xF0) {
            return kCases[tag % kCount];
        }
        uint8_t raw[8];
        for (uint8_t& b : raw) {
            b = byte();
        }
        double result;
        std::memcpy(&result, raw, sizeof(result));
        return result;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// "<name><slot letter>", e.g. "xa": the variable holding draw slot a's x.
std::string SlotVariable(const char* name, int slot) {
    return std::string("v") + name + static_cast<char>('a' + slot);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavro;
    InputReader input(data, size);

    // Each slot copies its variables into the object's properties, then draws.
    const uint8_t drawCount = 1 + input.byte() % kDrawsPerFrame;
    std::string script;
    for (int slot = 0; slot < drawCount; ++slot) {
        for (const char* name : kProperties) {
            script += std::string(name) + "=" + SlotVariable(name, slot) + ";";
        }
        script += "draw(";
        script += kImageIds[input.byte() % (sizeof(kImageIds) / sizeof(kImageIds[0]))];
        for (const char* argument : {"dx", "dy", "fixed", "hold"}) {
            script += "," + SlotVariable(argument, slot);
        }
        script += ");";
    }

    tavro::testing::GameFolder folder;
    folder.files["main.scr"] = script;
    folder.files["pic.png"] = SmallPng();

    PixmanCompositor compositor;
    EngineState state(folder, nullptr, compositor);
    if (!state.graphics.create(kBackWidth, kBackHeight, false)) {
        __builtin_trap();
    }
    const double screenWidth = input.value();
    const double screenHeight = input.value();
    state.screenScale = ComputeScreenScale(kBackWidth, kBackHeight, screenWidth, screenHeight);
    const uint8_t switches = input.byte();
    state.graphics.setSmoothSampling((switches & 1) != 0);
    state.camera.setClamped((switches & 2) != 0);
    state.camera.setCameraBounds(-100, -100, 100, 100);
    const double cameraX = input.value();
    const double cameraY = input.value();
    state.camera.setCameraPosition(cameraX, cameraY);

    if (!tavro::testing::startGame(state, folder, "IMAGE={pic,pic.png};SCRIPT={main.scr};")) {
        return 0;
    }
    TaskInstance& root = state.objects.root();
    for (int frame = 0; frame < kFrames && !state.haltRequested; ++frame) {
        for (int slot = 0; slot < drawCount; ++slot) {
            for (const char* name : kProperties) {
                root.variables[state.names.idFor(SlotVariable(name, slot).c_str())][0] =
                    input.value();
            }
            for (const char* argument : {"dx", "dy", "fixed", "hold"}) {
                root.variables[state.names.idFor(SlotVariable(argument, slot).c_str())][0] =
                    input.value();
            }
        }
        const bool skipped = (input.byte() & 7) == 7;
        state.graphics.beginFrame();
        RunFramePass(state, root);
        if (skipped) {
            DiscardDrawList(state.drawList);
            state.graphics.endFrame();
        } else {
            RenderDrawList(
                state.drawList,
                RenderContext{state.graphics, state.textures, state.animations, state.screenScale},
                state.haltRequested);
            state.graphics.endFrame();
            state.graphics.presentFrame();
        }
        state.graphics.clearBackBuffer();
    }
    // The image must have loaded, or the run drew nothing worth fuzzing.
    if (state.textures.nameCount() != 1 || state.textures.imageInfo(0, state.graphics).width != 8) {
        __builtin_trap();
    }
    state.textures.freeTextureCache();
    state.graphics.release();
    return 0;
}
