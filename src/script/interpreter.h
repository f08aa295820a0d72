// The interpreter: runs compiled statement chains for the object tree. The frame pass runs
// every live instance's frame scripts depth first (an instance before its children, children
// newest first); the constructor pass runs the creation scripts of a new subtree once.
// README.md beside this file maps the whole pipeline, from task files to commands.
#pragma once

#include <cstdint>

#include "script/statement.h"
#include "script/task_instance.h"

namespace tavro {

struct EngineState;

// Deepest nesting of "script(" calls, and of constructor runs started by "new(" / "friend(".
// A call past its bound is not run and leaves one error-log line, so self-calling scripts and
// self-creating constructors cannot overflow the stack. Constructors have the lower bound
// because every constructor pass walks the new subtree again: the work of a self-creating
// constructor grows with the object count times this depth.
inline constexpr int32_t kMaxCallDepth = 256;
inline constexpr int32_t kMaxConstructorDepth = 64;

// Most "script(" calls run in one frame pass (start-up's constructor pass counts with the
// first frame). Further calls in that frame are not run and leave one error-log line, so a
// script that calls itself twice ends instead of making 2^256 calls.
inline constexpr int64_t kMaxScriptCallsPerFrame = int64_t{1} << 20;

// A loop asks whether to stop after this many body runs of one execution.
inline constexpr uint32_t kLoopGuardLimit = 10000;

// Runs the chain from `first` on with `current` as I and `origin` as O; `matched` is the
// matched flag handed to the first statement.
void RunStatementChain(EngineState& state, const Statement* first, TaskInstance& current,
                       bool matched, TaskInstance& origin);
void RunFramePass(EngineState& state, TaskInstance& instance);
void RunConstructorPass(EngineState& state, TaskInstance& instance);

enum class Nesting { kScriptCalls, kConstructors };

// Counts one level of nesting of its kind while alive; `entered()` is false (with one
// error-log line naming `what`) when that nesting is already at its bound.
class CallDepthGuard {
  public:
    CallDepthGuard(EngineState& state, Nesting nesting, const char* what);
    ~CallDepthGuard();
    CallDepthGuard(const CallDepthGuard&) = delete;
    CallDepthGuard& operator=(const CallDepthGuard&) = delete;
    bool entered() const { return depth_ != nullptr; }

  private:
    int32_t* depth_;  // the counter entered, or null
};

}  // namespace tavro
