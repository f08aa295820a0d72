// Where a script statement starts, as standard error names it in UTF-8 ("FILE:LINE", which
// editors and terminals recognise), and what it says when a syntax error stopped the run.
#pragma once

#include <string>

#include "script/engine_state.h"

namespace tavro {

// "FILE:LINE" of the statement starting there; empty when that is unknown.
std::string statementPlace(const EngineState& state, SourceLocation where);

// "FILE:LINE: STATEMENT: JAPANESE (ENGLISH)" and a line feed; empty when no syntax error
// stopped the run.
std::string syntaxStopReport(const EngineState& state);

}  // namespace tavro
