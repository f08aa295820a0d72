#include "script/interpreter.h"

#include <vector>

#include "platform/key_names.h"
#include "script/contexts.h"
#include "script/engine_state.h"
#include "script/file_commands.h"
#include "script/media_commands.h"
#include "script/object_commands.h"
#include "text/messages.h"
#include "text/numeric.h"

namespace tavro {

namespace {

enum class TestResult { kFalse, kTrue, kFailed };  // kFailed: the negation flag is not applied

TestResult fromBool(bool value) {
    return value ? TestResult::kTrue : TestResult::kFalse;
}

TestResult keyTest(const Statement& statement, bool newlyPressed, InstanceContext& context) {
    const double value = statement.expression(0).evaluate(&context);
    EngineState& state = context.state();
    if (!(value > 256)) {
        const int32_t key = toInt32(value);
        KeyState& keys = state.keys;
        return fromBool(newlyPressed ? keys.takeKeyPress(key) : keys.isKeyDown(key));
    }
    const int32_t packed = toInt32(value);
    int32_t input = packed & kPadInputMask;
    if (input == 0) {
        input = toInt32(statement.expression(1).evaluate(&context));
    }
    const int32_t padIndex = padIndexOfCode(packed);
    if (padIndex < 0) {
        return TestResult::kFailed;
    }
    PadState& pad = state.pad(padIndex);
    return fromBool(newlyPressed ? pad.takePadPress(input) : pad.isPadInputDown(input));
}

// Evaluates the test of a conditional statement of the given kind (its bits 0..15).
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
            return fromBool(statement.expression(0).evaluate(&context) != 0);
    }
}

// Past the guard limit: asks whether to stop. True (and halted) on Yes; otherwise the count
// starts again.
bool askToStopLoop(EngineState& state, uint32_t& guard) {
    Dialogs* dialogs = state.dialogs;
    if (dialogs == nullptr || dialogs->askYesNo(kMessageCaption, kRunawayLoopQuestion)) {
        state.haltRequested = true;
        return true;
    }
    guard = 0;
    return false;
}

// One body run of a loop: counts it and, past the limit, asks whether to stop. True when the
// loop must end (the answer was Yes, or the game has asked to halt).
inline bool loopGuardStops(EngineState& state, uint32_t& guard) {
    if (state.haltRequested) {
        return true;
    }
    return ++guard > kLoopGuardLimit && askToStopLoop(state, guard);
}

void runChain(const Statement* first, bool matched, InstanceContext& context);

void runBody(const Statement& statement, InstanceContext& context) {
    if (statement.body) {
        runChain(statement.body.get(), true, context);
    }
}

// The expression of a body that is one expression statement (as in loop(n){x=x+1;}, whose
// chain holds the assignment, the empty text after its ";" and the end), or null. Such a body
// is evaluated directly: it cannot halt and the literals after it do nothing.
const ExprNode* singleExpression(const Statement& statement) {
    const Statement* body = statement.body.get();
    if (body == nullptr || body->code != kCodeExpression) {
        return nullptr;
    }
    double ignored = 0;
    const Statement* rest = body->next.get();
    while (rest != nullptr && rest->code == kCodeExpression &&
           rest->expression(0).literalValue(ignored)) {
        rest = rest->next.get();
    }
    if (rest == nullptr || rest->code != kCodeEmpty || rest->next != nullptr) {
        return nullptr;
    }
    return &body->expression(0);
}

// A body of one expression runs without passing its statement: it is where the game is
// throughout the loop.
void startLoop(const Statement& statement, const ExprNode* single, InstanceContext& context) {
    if (single != nullptr) {
        context.state().runningAt = statement.body->location;
    }
}

// Runs a loop body once.
inline void runLoopBody(const Statement& statement, const ExprNode* single,
                        InstanceContext& context) {
    if (single != nullptr) {
        single->evaluate(&context);
    } else {
        runBody(statement, context);
    }
}

void runCountedLoop(const Statement& statement, InstanceContext& context) {
    const ExprNode& limit = statement.expression(0);
    if (!(limit.evaluate(&context) > 0)) {
        return;
    }
    double fixedLimit = 0;
    const bool literal = limit.literalValue(fixedLimit);  // the same every time: read once
    const ExprNode* single = singleExpression(statement);
    startLoop(statement, single, context);
    uint32_t guard = 0;
    uint32_t count = 0;
    do {
        runLoopBody(statement, single, context);
        if (loopGuardStops(context.state(), guard)) {
            return;
        }
        ++count;
    } while ((literal ? fixedLimit : limit.evaluate(&context)) > static_cast<double>(count));
}

void runWhileLoop(const Statement& statement, InstanceContext& context) {
    const ExprNode* single = singleExpression(statement);
    startLoop(statement, single, context);
    uint32_t guard = 0;
    while (statement.expression(0).evaluate(&context) != 0) {
        runLoopBody(statement, single, context);
        if (loopGuardStops(context.state(), guard)) {
            return;
        }
    }
}

void runScriptCall(const Statement& statement, InstanceContext& context) {
    // The script's number, set when compiling.
    const double number = statement.expression(0).leftConstant;
    if (!(number > 0)) {
        return;
    }
    EngineState& state = context.state();
    const Statement* first = compiledScript(state, toInt32(number));
    if (first == nullptr) {
        return;
    }
    int64_t& calls = state.nesting.scriptCallsThisFrame;
    if (calls >= kMaxScriptCallsPerFrame) {
        if (calls++ == kMaxScriptCallsPerFrame) {
            state.log.record(kScriptCallLimitLabel, Severity::kError);
        }
        return;
    }
    CallDepthGuard depth(state, Nesting::kScriptCalls, "script( nesting too deep: call not run");
    if (depth.entered()) {
        ++calls;
        runChain(first, true, context);
    }
}

// Runs one statement; returns its matched flag.
bool execute(const Statement& statement, InstanceContext& context) {
    TaskInstance& current = *context.current;
    TaskInstance& origin = *context.origin;
    EngineState& state = context.state();
    const uint32_t kind = statementKind(statement.code);
    switch (kind) {
        case kCodeComment:
            return true;
        case kCodeIf:
        case kCodeIfKey:
        case kCodeIfStamp:
        case kCodeIfInput: {
            const TestResult result = evaluateTest(statement, kind, context);
            const bool run = result != TestResult::kFailed &&
                             ((result == TestResult::kTrue) != isNegated(statement.code));
            if (!run) {
                return false;
            }
            runBody(statement, context);
            return true;
        }
        case kCodeElse:
            runBody(statement, context);
            return true;
        case kCodeLoop:
            runCountedLoop(statement, context);
            return true;
        case kCodeWhile:
            runWhileLoop(statement, context);
            return true;
        case kCodeScript:
            runScriptCall(statement, context);
            return true;
        case kCodeQuit:
            state.haltRequested = true;
            return true;
        case kCodeNew:
        case kCodeFriend:
            createObject(state, statement, current, origin, kind == kCodeNew);
            return true;
        case kCodeKill:
            current.killed = true;
            return true;
        case kCodeBatch:
        case kCodeBatchOther:
        case kCodeBatchMy:
        case kCodeBatchColid:
            runBatch(state, statement, kind, current);
            return true;
        case kCodeSave:
            saveVariable(context, statement);
            return true;
        case kCodeLoad:
            loadVariable(context, statement);
            return true;
        case kCodeInit:
            initVariable(context, statement);
            return true;
        default:
            runMediaCommand(state, statement, kind, current, origin);
            return true;
    }
}

void runChain(const Statement* first, bool matched, InstanceContext& context) {
    EngineState& state = context.state();
    for (const Statement* statement = first; statement != nullptr;
         statement = statement->next.get()) {
        if (state.haltRequested) {
            return;
        }
        // The two commonest statements, an expression and the empty end of every chain
        // (which has no place), are run here; the rest by execute().
        const uint32_t code = statement->code;
        if (code == kCodeEmpty) {
            matched = true;
            continue;
        }
        state.runningAt = statement->location;
        if (code == kCodeExpression) {
            statement->expression(0).evaluate(&context);
            matched = true;
        } else if (!(isElseFamily(code) && matched)) {
            matched = execute(*statement, context);
        }
    }
}

void runScripts(EngineState& state, const GrowArray<int32_t>& scripts, TaskInstance& instance) {
    for (int32_t i = 0; i < scripts.count(); ++i) {
        const int32_t number = scripts.begin()[i];
        if (number > 0 && !state.haltRequested) {
            if (const Statement* first = compiledScript(state, number)) {
                RunStatementChain(state, first, instance, true, instance);
            }
        }
        if (state.haltRequested) {
            return;
        }
    }
}

// The frame scripts of one instance; false when its children are not to be walked.
bool runOwnFrameScripts(EngineState& state, TaskInstance& instance) {
    if (state.haltRequested || instance.killed) {
        return false;
    }
    runScripts(state, instance.frameScripts, instance);
    return !state.haltRequested;
}

// The constructor scripts of one instance; false when its children are not to be walked.
bool runOwnConstructorScripts(EngineState& state, TaskInstance& instance) {
    if (state.haltRequested) {
        return false;
    }
    runScripts(state, instance.constructorScripts, instance);
    return !state.haltRequested;
}

struct PassLevel {
    TaskInstance* instance;
    TaskInstance* child;  // the child being visited, or null when the walk is done
};

// Walks the subtree below `instance` depth first without recursion, so a deep tree cannot
// overflow the stack: each level remembers the child it is visiting. `visit` (parent, child)
// runs the child's scripts and says whether to walk the child's own children. After each
// child the walk ends if a halt was asked, and a killed child is destroyed.
template <typename Visit>
void walkSubtree(EngineState& state, TaskInstance& instance, Visit visit) {
    if (instance.children.first() == nullptr) {
        return;  // no allocation for a leaf, the common case of "new("
    }
    std::vector<PassLevel> levels{{&instance, instance.children.first()}};
    while (!levels.empty()) {
        PassLevel& level = levels.back();
        TaskInstance* child = level.child;
        if (child == nullptr) {
            levels.pop_back();
            if (levels.empty()) {
                return;
            }
        } else if (visit(*level.instance, *child)) {
            levels.push_back({child, child->children.first()});
            continue;
        }
        // The child at the top level has had its turn: finish it.
        if (state.haltRequested) {
            return;
        }
        PassLevel& parent = levels.back();
        TaskInstance* done = parent.child;
        parent.child = ChildList::after(*done);
        if (done->killed) {
            parent.instance->children.destroy(*done);
        }
    }
}

}  // namespace

CallDepthGuard::CallDepthGuard(EngineState& state, Nesting nesting, const char* what) {
    const bool scripts = nesting == Nesting::kScriptCalls;
    int32_t& depth = scripts ? state.nesting.scriptCalls : state.nesting.constructors;
    if (depth < (scripts ? kMaxCallDepth : kMaxConstructorDepth)) {
        ++depth;
        depth_ = &depth;
    } else {
        depth_ = nullptr;
        state.log.record(what, Severity::kError);
    }
}

CallDepthGuard::~CallDepthGuard() {
    if (depth_ != nullptr) {
        --*depth_;
    }
}

void RunStatementChain(EngineState& state, const Statement* first, TaskInstance& current,
                       bool matched, TaskInstance& origin) {
    state.interpreterNames.numberProperties(state.names);
    InstanceContext context(state, &current, &origin);
    // A chain may run inside another's statement (a constructor's inside "new("): the outer
    // statement is where the game is again afterwards.
    const SourceLocation outer = state.runningAt;
    runChain(first, matched, context);
    state.runningAt = outer;
}

void RunFramePass(EngineState& state, TaskInstance& instance) {
    state.nesting.scriptCallsThisFrame = 0;
    InstanceWalkScope walk(state.objects);
    if (!runOwnFrameScripts(state, instance)) {
        return;
    }
    state.interpreterNames.numberFlagStoper(state.names);
    const int32_t flagStoper = state.interpreterNames.flagStoper();
    walkSubtree(state, instance, [&state, flagStoper](TaskInstance& parent, TaskInstance& child) {
        return property(parent, flagStoper) == 0 && runOwnFrameScripts(state, child);
    });
}

// "flagStoper" plays no part here. A child made by a constructor's own "new(" has run its
// constructors already and runs them a second time when the walk reaches it.
void RunConstructorPass(EngineState& state, TaskInstance& instance) {
    InstanceWalkScope walk(state.objects);
    if (!runOwnConstructorScripts(state, instance)) {
        return;
    }
    walkSubtree(state, instance, [&state](TaskInstance&, TaskInstance& child) {
        return runOwnConstructorScripts(state, child);
    });
}

}  // namespace tavro
