// Audio back-ends that write their own messages to standard error while SDL tries them (ALSA
// prints a dozen lines on a machine without a sound card). Tavro says in one line of its own
// when no audio device opens, so theirs are turned off.
#pragma once

namespace tavro {

// Silences ALSA's error messages for the rest of the run, where ALSA is installed. It is
// reached at run time, so Tavro needs no ALSA of its own to build or run.
void QuietAudioBackends();

}  // namespace tavro
