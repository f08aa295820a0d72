#include "script/control_flow.h"

#include "script/engine_state.h"
#include "text/numeric.h"

namespace tavro {

namespace {

constexpr int32_t kPadOneDevice = 0x1000;
constexpr int32_t kPadTwoDevice = 0x2000;

TestResult fromBool(bool value) {
    return value ? TestResult::kTrue : TestResult::kFalse;
}

TestResult keyTest(const Statement& statement, bool newlyPressed, InstanceContext& context) {
    const double value = statement.expressions[0].evaluate(&context);
    EngineState& state = context.state();
    if (!(value > 256)) {
        const int32_t key = toInt32(value);
        KeyState& keys = state.keys;
        return fromBool(newlyPressed ? keys.takeKeyPress(key) : keys.isKeyDown(key));
    }
    const int32_t packed = toInt32(value);
    int32_t input = packed & 0xFF;
    if (input == 0) {
        input = toInt32(statement.expressions[1].evaluate(&context));
    }
    const int32_t device = packed & 0xF000;
    if (device != kPadOneDevice && device != kPadTwoDevice) {
        return TestResult::kFailed;
    }
    PadState& pad = state.pad(device == kPadOneDevice ? 0 : 1);
    return fromBool(newlyPressed ? pad.takePadPress(input) : pad.isPadInputDown(input));
}

}  // namespace

TestResult evaluateTest(const Statement& statement, uint32_t kind, InstanceContext& context) {
    switch (kind) {
        case kCodeIfKey:
            return keyTest(statement, false, context);
        case kCodeIfStamp:
            return keyTest(statement, true, context);
        case kCodeIfInput: {
            EngineState& state = context.state();
            return fromBool(state.keys.anyKeyDown() || state.pad(0).anyPadInput() ||
                            state.pad(1).anyPadInput());
        }
        default:
            // A NaN counts as true.
            return fromBool(statement.expressions[0].evaluate(&context) != 0);
    }
}

}  // namespace tavro
