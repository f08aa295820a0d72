// SoundRef: one playable sound of an object. It names a sound of the SoundCache by index and
// owns its own voice of that sound, so two objects play the same sound independently while
// one reference plays at most one copy at a time. A new reference holds index 0 (the first
// sound loaded); a copy takes the index only and makes its own voice at first use; the voice
// ends when the reference is released, reassigned or destroyed.
#pragma once

#include <cstdint>

#include "sound/sound_cache.h"
#include "text/text_string.h"

namespace tavro {

class SoundRef {
  public:
    SoundRef() = default;
    SoundRef(const SoundRef& other) : soundIndex(other.soundIndex) {}
    SoundRef(SoundRef&& other) noexcept;
    // Releases this reference's voice, then takes the other's index only.
    SoundRef& operator=(const SoundRef& other);
    SoundRef& operator=(SoundRef&& other) noexcept;
    ~SoundRef() { releaseVoice(); }

    int32_t soundIndex = 0;  // -1: no sound

    // Loads the file into the cache and gives the reference its own voice of it. False for an
    // empty name or a failed load (index -1), or when no voice could be made ("Duplicate"; the
    // index stays, so a later play tries again).
    bool load(const TextString& fileName, SoundCache& cache);
    // Plays once from the voice's position; a playing voice goes on, not restarted.
    bool play(SoundCache& cache);
    // Moves the voice to the start; a playing voice goes on from there.
    bool rewind(SoundCache& cache);
    // Stops the voice; its position stays.
    bool stop(SoundCache& cache);
    // Frees the voice and leaves index -1.
    void release();

  private:
    void releaseVoice();
    // Makes sure the reference has a voice; false (with "Duplicate" recorded) when none
    // can be made, or when the reference names no sound.
    bool prepare(SoundCache& cache);

    int32_t voice_ = -1;
    SoundCache* cache_ = nullptr;  // the cache the voice came from
};

}  // namespace tavro
