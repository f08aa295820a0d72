#include "shell/stop_report.h"

#include "text/english_messages.h"
#include "text/messages.h"
#include "text/shift_jis.h"

namespace tavro {

std::string statementPlace(const EngineState& state, SourceLocation where) {
    if (!where.known()) {
        return "";
    }
    return shiftJisToUtf8(state.scripts.name(where.file()).view()) + ":" +
           std::to_string(where.line());
}

std::string syntaxStopReport(const EngineState& state) {
    const EngineState::SyntaxStop& stop = state.syntaxStop;
    if (!stop.happened) {
        return "";
    }
    const std::string place = statementPlace(state, stop.where);
    return (place.empty() ? "?:?" : place) + ": " + shiftJisToUtf8(stop.statement.view()) + ": " +
           shiftJisToUtf8(kSyntaxErrorMessage) + " (" + englishMessageFor(kSyntaxErrorMessage) +
           ")\n";
}

}  // namespace tavro
