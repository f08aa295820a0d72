#include "host/headless/stop_signals.h"

#include <csignal>

namespace tavro {

namespace {

// A signal handler can only set a flag of this type; it is the process's, as the signals are.
volatile std::sig_atomic_t stopRequested = 0;

void markStop(int) {
    stopRequested = 1;
}

}  // namespace

void catchStopSignals() {
    std::signal(SIGINT, markStop);
    std::signal(SIGTERM, markStop);
}

bool stopSignalCaught() {
    return stopRequested != 0;
}

}  // namespace tavro
