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

int32_t callDepth = 0;

// One body run of a loop: counts it and, past the limit, asks whether to stop. True when the
// loop must end (the answer was Yes, or the game has asked to halt).
bool loopGuardStops(uint32_t& guard) {
    if (haltRequested()) {
        return true;
    }
    if (++guard > kLoopGuardLimit) {
        Dialogs* dialogs = scriptDialogs();
        if (dialogs == nullptr || dialogs->askYesNo(kReportCaption, kRunawayLoopQuestion)) {
            requestHalt();
            return true;
        }
        guard = 0;
    }
    return false;
}

void runBody(const Statement& statement, TaskInstance& current, TaskInstance& origin) {
    if (statement.body) {
        RunStatementChain(statement.body.get(), current, true, origin);
    }
}

void runCountedLoop(const Statement& statement, TaskInstance& current, TaskInstance& origin,
                    InstanceContext& context) {
    const ExprNode& limit = statement.expressions[0];
    if (!(limit.evaluate(&context) > 0)) {
        return;
    }
    uint32_t guard = 0;
    uint32_t count = 0;
    do {
        runBody(statement, current, origin);
        if (loopGuardStops(guard)) {
            return;
        }
        ++count;
    } while (limit.evaluate(&context) > static_cast<double>(count));
}

void runWhileLoop(const Statement& statement, TaskInstance& current, TaskInstance& origin,
                  InstanceContext& context) {
    uint32_t guard = 0;
    while (statement.expressions[0].evaluate(&context) != 0) {
        runBody(statement, current, origin);
        if (loopGuardStops(guard)) {
            return;
        }
    }
}

void runScriptCall(const Statement& statement, TaskInstance& current, TaskInstance& origin) {
    const double number = statement.expressions[0].evaluate(nullptr);
    if (!(number > 0)) {
        return;
    }
    const Statement* first = compiledScript(toInt32(number));
    if (first == nullptr) {
        return;
    }
    CallDepthGuard depth("script( nesting too deep: call not run");
    if (depth.entered()) {
        RunStatementChain(first, current, true, origin);
    }
}

// Runs one statement; returns its matched flag.
bool execute(const Statement& statement, TaskInstance& current, TaskInstance& origin) {
    const uint32_t kind = statementKind(statement.code);
    InstanceContext context(&current, &origin);
    switch (kind) {
        case kCodeEmpty:
        case kCodeComment:
            return true;
        case kCodeExpression:
            statement.expressions[0].evaluate(&context);
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
            runBody(statement, current, origin);
            return true;
        }
        case kCodeElse:
            runBody(statement, current, origin);
            return true;
        case kCodeLoop:
            runCountedLoop(statement, current, origin, context);
            return true;
        case kCodeWhile:
            runWhileLoop(statement, current, origin, context);
            return true;
        case kCodeScript:
            runScriptCall(statement, current, origin);
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

struct PassLevel {
    TaskInstance* instance;
    TaskInstance* child;  // the child being visited, or null when the walk is done
};

}  // namespace

CallDepthGuard::CallDepthGuard(const char* what) : entered_(callDepth < kMaxCallDepth) {
    if (entered_) {
        ++callDepth;
    } else {
        reportError(what, 2);
    }
}

CallDepthGuard::~CallDepthGuard() {
    if (entered_) {
        --callDepth;
    }
}

void RunStatementChain(const Statement* first, TaskInstance& current, bool matched,
                       TaskInstance& origin) {
    for (const Statement* statement = first; statement != nullptr;
         statement = statement->next.get()) {
        if (haltRequested()) {
            return;
        }
        if (isElseFamily(statement->code) && matched) {
            continue;
        }
        matched = execute(*statement, current, origin);
    }
}

// Depth first without recursion, so a deep tree cannot overflow the stack: each level
// remembers the child it is visiting.
void RunFramePass(TaskInstance& instance) {
    InstanceWalkScope walk;
    if (!runOwnFrameScripts(instance)) {
        return;
    }
    const int32_t flagStoper = flagStoperId();
    static std::vector<PassLevel> levels;  // reused: no allocation once warm
    levels.clear();
    levels.push_back({&instance, instance.children.first()});
    while (!levels.empty()) {
        PassLevel& level = levels.back();
        TaskInstance* child = level.child;
        if (child == nullptr) {
            levels.pop_back();
            if (levels.empty()) {
                break;
            }
        } else if (property(*level.instance, flagStoper) == 0 && runOwnFrameScripts(*child)) {
            levels.push_back({child, child->children.first()});
            continue;
        }
        // The child at the top level has had its turn: finish it.
        PassLevel& parent = levels.back();
        TaskInstance* done = parent.child;
        if (haltRequested()) {
            levels.clear();
            return;
        }
        parent.child = ChildList::after(*done);
        if (done->killed) {
            parent.instance->children.destroy(*done);
        }
    }
}

void RunConstructorPass(TaskInstance& instance) {
    if (haltRequested()) {
        return;
    }
    InstanceWalkScope walk;
    runScripts(instance.constructorScripts, instance);
    if (haltRequested()) {
        return;
    }
    for (TaskInstance* child = instance.children.first(); child != nullptr;) {
        RunConstructorPass(*child);
        if (haltRequested()) {
            return;
        }
        TaskInstance* next = ChildList::after(*child);
        if (child->killed) {
            instance.children.destroy(*child);
        }
        child = next;
    }
}

}  // namespace tavro
