// Fuzz target: any format text formats, any character range of the result is taken, and the
// result is laid out and rasterised in the default face, without a crash or a read out of
// bounds: unterminated values, lone lead bytes and bytes that are no Shift-JIS included. A
// format without "$" (and not ending in a backslash) comes out as written.
//
// Build and run for ten minutes from the repository root (clang, libFuzzer):
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTAVRO_FUZZ=ON -DTAVRO_BENCH=OFF && cmake
//   --build build-fuzz --target text_format_fuzz -j2 && build-fuzz/tests/fuzz/text_format_fuzz
//   -max_total_time=600 -max_len=512 tests/fuzz/corpus/text_format
// The first two bytes choose the start and the count of the character range.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "host/compositor/pixman_compositor.h"
#include "host/fonts/ttf_font_renderer.h"
#include "script/contexts.h"
#include "script/engine_state.h"
#include "script/media_commands.h"
#include "script/task_instance.h"
#include "support/game_folder.h"
#include "text/text_string.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavro;
    static TtfFontRenderer fonts;
    static const FontHandle font = fonts.openFont("", 16);
    if (size < 2 || font == kNoFont) {
        return 0;
    }
    const auto start = static_cast<int8_t>(data[0]);
    const int32_t count = data[1];
    // Script texts never hold a zero byte: the format ends at the first one.
    const std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string_view text = bytes.substr(0, bytes.find('\0'));
    const TextString format(text.data(), static_cast<int32_t>(text.size()));

    testing::GameFolder files;
    PixmanCompositor compositor;
    EngineState state(files, nullptr, compositor);
    TaskInstance current(state.objects);
    InstanceContext context(state, &current, &current);
    const TextString output = formatScriptText(format, context);
    // (A last piece ending in a backslash is followed by "$" as every such piece is.)
    if (text.find('$') == std::string_view::npos && !text.ends_with('\\') && !(output == format)) {
        std::abort();
    }
    const TextString shown = output.substrChars(start, count);
    RenderedText rendered;
    for (const LineAlignment alignment :
         {LineAlignment::kLeft, LineAlignment::kCentre, LineAlignment::kRight}) {
        fonts.renderText(font, shown.view(), alignment, rendered);
        if (rendered.pixels.size() != static_cast<size_t>(rendered.width) * rendered.height) {
            std::abort();
        }
    }
    return 0;
}
