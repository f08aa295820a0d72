#include "sound/sound_ref.h"

namespace tavro {

bool LoadSoundRef(SoundRef& sound, const TextString& fileName) {
    sound = SoundRef{};
    sound.fileName = fileName;
    return true;
}

}  // namespace tavro
