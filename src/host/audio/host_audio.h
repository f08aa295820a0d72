// The audio every host runs with: Tavro's mixer, and one music synthesiser for the whole run
// rendering into it when a soundfont is found. Without one, a single notice goes to standard
// error and the game runs without MIDI music. The player's volumes scale the sound effects and
// the wave music in the mixer and the synthesiser's gain; at music volume 0 the synthesiser
// renders nothing. Whatever pulls
// the mixer (an audio device) must be stopped before this is destroyed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

#include "host/audio/mixer.h"
#include "host/audio/music_loader.h"

namespace tavro {

// Percent of full amplitude, 0 to 100.
struct AudioVolumes {
    int32_t music = 100;
    int32_t effects = 100;
};

class HostAudio {
  public:
    // Looks for the soundfont (FluidSynth's configured default filled in) and loads it;
    // notices go to `notices`.
    explicit HostAudio(SoundFontSearch search, std::FILE* notices = stderr,
                       AudioVolumes volumes = {});
    // Detaches the synthesiser from the mixer, then destroys it.
    ~HostAudio();
    HostAudio(const HostAudio&) = delete;
    HostAudio& operator=(const HostAudio&) = delete;

    Mixer& mixer() { return mixer_; }
    // Null when the run has no music.
    MusicSynth* music() { return synth_.get(); }

  private:
    Mixer mixer_;
    std::unique_ptr<MusicSynth> synth_;
};

}  // namespace tavro
