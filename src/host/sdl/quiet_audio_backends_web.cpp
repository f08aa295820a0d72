#include "host/sdl/quiet_audio_backends.h"

namespace tavro {

// A browser's audio says nothing of its own on standard error.
void QuietAudioBackends() {}

}  // namespace tavro
