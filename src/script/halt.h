// haltRequested: the one process-wide stop flag. Set by a window close, "quit(", a Yes to the
// runaway-loop question, a syntax error and a killed root; once set, the loader, the compiler,
// the interpreter and the frame loop refuse further work. It is never cleared in a run.
#pragma once

namespace tavro {

namespace detail {
// Held here, not behind a call, because the interpreter tests it before every statement.
inline bool haltFlag = false;
}  // namespace detail

inline bool haltRequested() {
    return detail::haltFlag;
}
inline void requestHalt() {
    detail::haltFlag = true;
}
// Only for tests and a fresh engine: clears the flag.
inline void resetHalt() {
    detail::haltFlag = false;
}

}  // namespace tavro
