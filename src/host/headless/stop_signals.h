// SIGINT and SIGTERM taken as a request to close the window: an interrupted headless run ends as
// a closed game does, its --audio-out and --screenshot files written whole, instead of dying
// with a recording whose header promises nothing.
#pragma once

namespace tavro {

// From now on the two signals only mark the request (the default handling is replaced).
void catchStopSignals();

// Whether one of them has arrived since catchStopSignals.
bool stopSignalCaught();

}  // namespace tavro
