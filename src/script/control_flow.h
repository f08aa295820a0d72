// The tests of the "if(" family: plain conditions, held and newly-pressed keys and pad inputs,
// and "any input".
#pragma once

#include "script/contexts.h"
#include "script/statement.h"

namespace tavro {

enum class TestResult { kFalse, kTrue, kFailed };  // kFailed: the negation flag is not applied

// Evaluates the test of a conditional statement of the given kind (its bits 0..15).
TestResult evaluateTest(const Statement& statement, uint32_t kind, InstanceContext& context);

}  // namespace tavro
