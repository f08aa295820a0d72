#include "shell/stop_report.h"

#include "text/english_messages.h"
#include "text/messages.h"
#include "text/shift_jis.h"

namespace tavro {

std::string syntaxStopReport(const EngineState& state) {
    const EngineState::SyntaxStop& stop = state.syntaxStop;
    if (!stop.happened) {
        return "";
    }
    const std::string file =
        stop.where.known() ? shiftJisToUtf8(state.scripts.name(stop.where.file()).view()) : "?";
    const std::string line = stop.where.known() ? std::to_string(stop.where.line()) : "?";
    return file + ":" + line + ": " + shiftJisToUtf8(stop.statement.view()) + ": " +
           shiftJisToUtf8(kSyntaxErrorMessage) + " (" + englishMessageFor(kSyntaxErrorMessage) +
           ")\n";
}

}  // namespace tavro
