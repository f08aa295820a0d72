// Fuzz target: any bytes as an animation file read without crashing, and every frame counter
// lands on a frame: the wrapped counter never exceeds the total, and a sheet always has at
// least one frame.
//
// Run for ten minutes from the repository root (clang, libFuzzer):
//   scripts/fuzz animation_reader 600

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "render/animation_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const tavro::TextString text(bytes.data(), static_cast<int32_t>(bytes.size()));
    tavro::AnimationTable table([&](const tavro::TextString&, tavro::TextString& out) {
        out = text;
        return true;
    });
    const int32_t index = table.load("fuzz.ani");
    if (index != 0) {
        std::abort();
    }
    const tavro::AnimationSheet sheet = tavro::ReadAnimationText(text);
    if (sheet.frames.empty()) {
        std::abort();
    }
    uint32_t seed = 0;
    std::memcpy(&seed, data, size < sizeof seed ? size : sizeof seed);
    for (const uint32_t start : {0u, 1u, seed, 0xFFFFFFFFu, 0x80000000u, sheet.totalDuration}) {
        uint32_t counter = start;
        table.currentFrameRect(index, counter);
        if (sheet.totalDuration != 0 && counter > sheet.totalDuration) {
            std::abort();
        }
    }
    return 0;
}
