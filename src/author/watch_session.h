// tavro --watch: the game restarts, in the same window and with the same audio device, soon
// after one of its files changes. A change is checked first (as --check does): one with
// errors keeps the last good run going and shows the errors, FILE:LINE, over its picture and
// on standard error until a later change fixes them. A game that ends by itself waits for the
// next good change; F4, closing the window or the --frames limit end the session.
#pragma once

#include "shell/engine.h"

namespace tavro {

// Runs the game in the current directory until the player ends it; the exit status of the
// last run.
int runWatchedGame(const HostServices& host, const EngineOptions& options);

}  // namespace tavro
