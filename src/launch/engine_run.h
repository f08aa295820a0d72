// Running the engine on an assembled host, as both the window and the headless run do: the
// watched or plain run, --record around it, and what the run leaves on standard error.
#pragma once

#include "host/audio/host_audio.h"
#include "host/audio/sound_font_search.h"
#include "shell/command_line.h"
#include "shell/engine.h"
#include "shell/player_settings.h"

namespace tavro {

// Runs the game on the host, recording its input to --record's file when one is given.
int runEngineRecorded(const HostServices& host, CommandLineOptions options,
                      const PlayerSettings& player);

// Where the soundfont is looked for; run from inside the game folder.
SoundFontSearch soundFontSearch(const CommandLineOptions& options);

AudioVolumes audioVolumes(const PlayerSettings& player);

}  // namespace tavro
