// The script engine's process-wide state as one unit, for whoever starts a game afresh in the
// same process: tests, benchmarks and fuzz targets.
#pragma once

namespace tavro {

// Frees the loaded game: task templates, the object tree and the compiled scripts.
void releaseScriptEngine();

// A fresh engine: the stop flag cleared, name ids and system variables emptied, and the
// loaded game released.
void resetScriptEngine();

}  // namespace tavro
