// SoundRef: one playable sound of an object. For now the sound is only named, not loaded:
// the sound cache and the playback duplicates come later.
#pragma once

#include <cstdint>

#include "text/text_string.h"

namespace tavro {

struct SoundRef {
    int32_t soundIndex = 0;  // a slot never filled refers to the first sound loaded
    TextString fileName;     // the WAV file the task names
};

// Fills the reference from a file name. Records the name and succeeds; nothing is loaded yet.
bool LoadSoundRef(SoundRef& sound, const TextString& fileName);

}  // namespace tavro
