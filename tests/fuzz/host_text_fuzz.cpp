// Feeds arbitrary bytes to the host's text handling: the scripted-input parser and player,
// the Shift-JIS aware path splitter and name comparison, and both encoding conversions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "host/files/path_resolver.h"
#include "host/recorded_input/input_script.h"
#include "support/event_recorder.h"
#include "text/shift_jis.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);

    tavro::InputScriptParse script = tavro::parseInputScript(text, "fuzz");
    tavro::ScriptedInput input(script.events);
    tavro::testing::EventRecorder handler;
    for (int frame = 0; frame < 8; ++frame) {
        input.deliverPending(handler);
        input.frameCompleted();
    }

    tavro::SplitPath split = tavro::splitGamePath(text);
    for (const std::string& component : split.components) {
        tavro::namesEqualIgnoringCase(component, text, true);
    }

    std::string converted, back;
    tavro::shiftJisToUtf8(text, converted);
    tavro::utf8ToShiftJis(converted, back);
    tavro::utf8ToShiftJis(text, converted);
    return 0;
}
