// The headless host: no window, a virtual clock pulling the mixer, scripted input.
#pragma once

#include <vector>

#include "host/file_system.h"
#include "host/headless/headless_faults.h"
#include "host/recorded_input/input_script.h"
#include "shell/command_line.h"
#include "shell/player_settings.h"

namespace tavro {

// Runs the game without a window: --audio-out records the mix, --screenshot writes the last
// composed frame. A watched game runs in real time while its files are edited. SIGINT and
// SIGTERM end the run as a closed window does.
int runHeadless(const CommandLineOptions& options, const PlayerSettings& player,
                std::vector<InputEvent> input, FileSystem& files, HeadlessFaults& faults);

}  // namespace tavro
