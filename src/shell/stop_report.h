// What standard error says when a syntax error stopped the run: where, what and why, as one
// line in UTF-8 that editors and terminals recognise ("FILE:LINE: ...").
#pragma once

#include <string>

#include "script/engine_state.h"

namespace tavro {

// "FILE:LINE: STATEMENT: JAPANESE (ENGLISH)" and a line feed; empty when no syntax error
// stopped the run.
std::string syntaxStopReport(const EngineState& state);

}  // namespace tavro
