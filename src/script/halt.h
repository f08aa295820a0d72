// haltRequested: the one process-wide stop flag. Set by a window close, "quit(", a Yes to the
// runaway-loop question, a syntax error and a killed root; once set, the loader, the compiler,
// the interpreter and the frame loop refuse further work. It is never cleared in a run.
#pragma once

namespace tavro {

bool haltRequested();
void requestHalt();
// Only for tests and a fresh engine: clears the flag.
void resetHalt();

}  // namespace tavro
