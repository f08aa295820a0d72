// The interpreter: runs compiled statement chains for the object tree. The frame pass runs
// every live instance's frame scripts depth first (an instance before its children, children
// newest first); the constructor pass runs the creation scripts of a new subtree once.
#pragma once

#include <cstdint>

#include "script/statement.h"
#include "script/task_instance.h"

namespace tavro {

// Deepest nesting of "script(" calls and of constructor runs started by "new(" / "friend(".
// A call past it is not run and leaves one error-log line, so self-calling scripts and
// self-creating constructors cannot overflow the stack.
inline constexpr int32_t kMaxCallDepth = 256;

// A loop asks whether to stop after this many body runs of one execution.
inline constexpr uint32_t kLoopGuardLimit = 10000;

// Runs the chain from `first` on with `current` as I and `origin` as O; `matched` is the
// matched flag handed to the first statement.
void RunStatementChain(const Statement* first, TaskInstance& current, bool matched,
                       TaskInstance& origin);
void RunFramePass(TaskInstance& instance);
void RunConstructorPass(TaskInstance& instance);

// Counts one level of call nesting while alive; `entered()` is false (with one error-log line
// naming `what`) when the nesting is already at kMaxCallDepth.
class CallDepthGuard {
  public:
    explicit CallDepthGuard(const char* what);
    ~CallDepthGuard();
    CallDepthGuard(const CallDepthGuard&) = delete;
    CallDepthGuard& operator=(const CallDepthGuard&) = delete;
    bool entered() const { return entered_; }

  private:
    bool entered_;
};

}  // namespace tavro
