// The desktop host: a window showing the composed frames, the system clock, message boxes
// and the speakers.
#pragma once

#include "host/file_system.h"
#include "shell/command_line.h"
#include "shell/player_settings.h"

namespace tavro {

// Runs the game in a window. Its --screenshot is read back from the window. Without an audio
// device the mixer is pulled by the clock instead, so the game runs the same, silent.
int runWithWindow(const CommandLineOptions& options, const PlayerSettings& player,
                  FileSystem& files);

}  // namespace tavro
