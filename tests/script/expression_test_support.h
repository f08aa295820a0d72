// Shared set-up for the expression and variable tests: a fresh engine state, a root instance
// with one child, and every error-log line kept.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "render/recording_compositor.h"
#include "script/contexts.h"
#include "script/engine_state.h"
#include "script/expression.h"
#include "script/task_instance.h"
#include "support/game_folder.h"

namespace tavro::testing {

class ScriptFixture : public ::testing::Test {
  public:
    ScriptFixture() {
        child.parent = &root;
        state.log.setReportLevel(kReportEverything);
    }

    // Compiles text (names to ids) and evaluates it for the child instance.
    double run(const char* text) {
        CompileContext compile(state);
        ExprNode node;
        node.parse(text, &compile, &state.log);
        return node.evaluate(&context);
    }

    // Parses text without a resolver (names resolved by text) and evaluates it the same way.
    double runUncompiled(const char* text) {
        ExprNode node;
        node.parse(text, nullptr, &state.log);
        return node.evaluate(&context);
    }

    int32_t nameId(std::string_view name) { return state.names.idFor(name); }
    double& element(TaskInstance& instance, const char* name, int32_t index = 0) {
        return instance.variables[nameId(name)][index];
    }
    int32_t count(TaskInstance& instance, const char* name) {
        return instance.variables[nameId(name)].count();
    }
    std::vector<std::string> reports() const { return loggedTexts(files); }

    GameFolder files;
    RecordingCompositor compositor;
    EngineState state{files, nullptr, compositor};
    TaskInstance root{state.objects};
    TaskInstance child{state.objects};
    TaskInstance origin{state.objects};
    InstanceContext context{state, &child, &child};
};

// Values compare exactly, NaN equal to NaN and the sign of zero kept.
inline ::testing::AssertionResult sameValue(double actual, double expected) {
    if ((std::isnan(actual) && std::isnan(expected)) ||
        (actual == expected && std::signbit(actual) == std::signbit(expected))) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "got " << actual << ", expected " << expected;
}

}  // namespace tavro::testing
