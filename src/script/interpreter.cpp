#include "script/interpreter.h"

#include <vector>

#include "script/contexts.h"
#include "script/control_flow.h"
#include "script/file_commands.h"
#include "script/halt.h"
#include "script/media_commands.h"
#include "script/object_commands.h"
#include "script/property_ids.h"
#include "script/script_dialogs.h"
#include "script/script_table.h"
#include "script/variables.h"
#include "text/error_report.h"
#include "text/messages.h"
#include "text/numeric.h"

namespace tavro {

namespace {

constexpr const char* kReportCaption = "report";

int32_t scriptCallDepth = 0;
int32_t constructorDepth = 0;
int64_t scriptCallsThisFrame = 0;

// Past the guard limit: asks whether to stop. True (and halted) on Yes; otherwise the count
// starts again.
bool askToStopLoop(uint32_t& guard) {
    Dialogs* dialogs = scriptDialogs();
    if (dialogs == nullptr || dialogs->askYesNo(kReportCaption, kRunawayLoopQuestion)) {
        requestHalt();
        return true;
    }
    guard = 0;
    return false;
}

// One body run of a loop: counts it and, past the limit, asks whether to stop. True when the
// loop must end (the answer was Yes, or the game has asked to halt).
inline bool loopGuardStops(uint32_t& guard) {
    if (haltRequested()) {
        return true;
    }
    return ++guard > kLoopGuardLimit && askToStopLoop(guard);
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
           rest->expressions[0].literalValue(ignored)) {
        rest = rest->next.get();
    }
    if (rest == nullptr || rest->code != kCodeEmpty || rest->next != nullptr) {
        return nullptr;
    }
    return &body->expressions[0];
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
    const ExprNode& limit = statement.expressions[0];
    if (!(limit.evaluate(&context) > 0)) {
        return;
    }
    double fixedLimit = 0;
    const bool literal = limit.literalValue(fixedLimit);  // the same every time: read once
    const ExprNode* single = singleExpression(statement);
    uint32_t guard = 0;
    uint32_t count = 0;
    do {
        runLoopBody(statement, single, context);
        if (loopGuardStops(guard)) {
            return;
        }
        ++count;
    } while ((literal ? fixedLimit : limit.evaluate(&context)) > static_cast<double>(count));
}

void runWhileLoop(const Statement& statement, InstanceContext& context) {
    const ExprNode* single = singleExpression(statement);
    uint32_t guard = 0;
    while (statement.expressions[0].evaluate(&context) != 0) {
        runLoopBody(statement, single, context);
        if (loopGuardStops(guard)) {
            return;
        }
    }
}

void runScriptCall(const Statement& statement, InstanceContext& context) {
    const double number = statement.expressions[0].evaluate(nullptr);
    if (!(number > 0)) {
        return;
    }
    const Statement* first = compiledScript(toInt32(number));
    if (first == nullptr) {
        return;
    }
    if (scriptCallsThisFrame >= kMaxScriptCallsPerFrame) {
        if (scriptCallsThisFrame++ == kMaxScriptCallsPerFrame) {
            reportError("script( calls in one frame past the limit: calls not run", 2);
        }
        return;
    }
    CallDepthGuard depth(Nesting::kScriptCalls, "script( nesting too deep: call not run");
    if (depth.entered()) {
        ++scriptCallsThisFrame;
        runChain(first, true, context);
    }
}

// Runs one statement; returns its matched flag.
bool execute(const Statement& statement, InstanceContext& context) {
    TaskInstance& current = *context.current;
    TaskInstance& origin = *context.origin;
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
            requestHalt();
            return true;
        case kCodeNew:
        case kCodeFriend:
            createObject(statement, current, origin, kind == kCodeNew);
            return true;
        case kCodeKill:
            current.killed = true;
            return true;
        case kCodeBatch:
        case kCodeBatchOther:
        case kCodeBatchMy:
        case kCodeBatchColid:
            runBatch(statement, kind, current);
            return true;
        case kCodeSave:
            saveVariable(statement, current, origin);
            return true;
        case kCodeLoad:
            loadVariable(statement, current);
            return true;
        case kCodeInit:
            initVariable(statement, current);
            return true;
        default:
            runMediaCommand(statement, kind, current, origin);
            return true;
    }
}

void runChain(const Statement* first, bool matched, InstanceContext& context) {
    for (const Statement* statement = first; statement != nullptr;
         statement = statement->next.get()) {
        if (haltRequested()) {
            return;
        }
        // The two commonest statements, an expression and the empty end of every chain,
        // are run here; the rest by execute().
        const uint32_t code = statement->code;
        if (code == kCodeExpression) {
            statement->expressions[0].evaluate(&context);
            matched = true;
        } else if (code == kCodeEmpty) {
            matched = true;
        } else if (!(isElseFamily(code) && matched)) {
            matched = execute(*statement, context);
        }
    }
}

void runScripts(const GrowArray<int32_t>& scripts, TaskInstance& instance) {
    for (int32_t i = 0; i < scripts.count(); ++i) {
        const int32_t number = scripts.begin()[i];
        if (number > 0 && !haltRequested()) {
            if (const Statement* first = compiledScript(number)) {
                RunStatementChain(first, instance, true, instance);
            }
        }
        if (haltRequested()) {
            return;
        }
    }
}

// The frame scripts of one instance; false when its children are not to be walked.
bool runOwnFrameScripts(TaskInstance& instance) {
    if (haltRequested() || instance.killed) {
        return false;
    }
    runScripts(instance.frameScripts, instance);
    return !haltRequested();
}

// The constructor scripts of one instance; false when its children are not to be walked.
bool runOwnConstructorScripts(TaskInstance& instance) {
    if (haltRequested()) {
        return false;
    }
    runScripts(instance.constructorScripts, instance);
    return !haltRequested();
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
void walkSubtree(TaskInstance& instance, Visit visit) {
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
        if (haltRequested()) {
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

CallDepthGuard::CallDepthGuard(Nesting nesting, const char* what) {
    const bool scripts = nesting == Nesting::kScriptCalls;
    int32_t& depth = scripts ? scriptCallDepth : constructorDepth;
    if (depth < (scripts ? kMaxCallDepth : kMaxConstructorDepth)) {
        ++depth;
        depth_ = &depth;
    } else {
        depth_ = nullptr;
        reportError(what, 2);
    }
}

CallDepthGuard::~CallDepthGuard() {
    if (depth_ != nullptr) {
        --*depth_;
    }
}

void RunStatementChain(const Statement* first, TaskInstance& current, bool matched,
                       TaskInstance& origin) {
    InstanceContext context(&current, &origin);
    runChain(first, matched, context);
}

void RunFramePass(TaskInstance& instance) {
    scriptCallsThisFrame = 0;
    InstanceWalkScope walk;
    if (!runOwnFrameScripts(instance)) {
        return;
    }
    const int32_t flagStoper = flagStoperId();
    walkSubtree(instance, [flagStoper](TaskInstance& parent, TaskInstance& child) {
        return property(parent, flagStoper) == 0 && runOwnFrameScripts(child);
    });
}

// "flagStoper" plays no part here. A child made by a constructor's own "new(" has run its
// constructors already and runs them a second time when the walk reaches it.
void RunConstructorPass(TaskInstance& instance) {
    InstanceWalkScope walk;
    if (!runOwnConstructorScripts(instance)) {
        return;
    }
    walkSubtree(instance,
                [](TaskInstance&, TaskInstance& child) { return runOwnConstructorScripts(child); });
}

}  // namespace tavro
