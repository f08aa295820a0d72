// Shared set-up for the expression and variable tests: a fresh name table and system table,
// a root instance with one child, and an error sink that counts reports.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "script/contexts.h"
#include "script/expression.h"
#include "script/name_id_table.h"
#include "script/random.h"
#include "script/system_variables.h"
#include "script/task_instance.h"
#include "text/error_report.h"

namespace tavro::testing {

class CountingSink : public ErrorSink {
  public:
    void record(const char* text, uint32_t) override {
        ++count;
        last = text;
    }
    int count = 0;
    std::string last;
};

class ScriptFixture : public ::testing::Test {
  public:
    void SetUp() override {
        child.parent = &root;
        previousSink_ = setErrorSink(&errors);
    }
    void TearDown() override { setErrorSink(previousSink_); }

    // Compiles text (names to ids) and evaluates it for the child instance.
    double run(const char* text) {
        CompileContext compile;
        ExprNode node;
        node.parse(text, &compile);
        return node.evaluate(&context);
    }

    // Parses text without a resolver (names resolved by text) and evaluates it the same way.
    double runUncompiled(const char* text) {
        ExprNode node;
        node.parse(text, nullptr);
        return node.evaluate(&context);
    }

    double& element(TaskInstance& instance, const char* name, int32_t index = 0) {
        return instance.variables[nameId(name)][index];
    }
    int32_t count(TaskInstance& instance, const char* name) {
        return instance.variables[nameId(name)].count();
    }

    // Declared first: the process-wide tables are emptied before the instances below take
    // the numbers of their property names.
    struct FreshTables {
        FreshTables() {
            resetNameIds();
            resetSystemVariables();
        }
    } freshTables;
    TaskInstance root;
    TaskInstance child;
    TaskInstance origin;
    InstanceContext context{&child, &child};
    CountingSink errors;

  private:
    ErrorSink* previousSink_ = nullptr;
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
