// The audio every host runs with: Tavro's mixer, and one music synthesiser for the whole run
// rendering into it when a soundfont is found. Without one, a single notice goes to standard
// error and the game runs without MIDI music. Whatever pulls the mixer (an audio device) must
// be stopped before this is destroyed.
#pragma once

#include <cstdio>
#include <memory>

#include "host/audio/mixer.h"
#include "host/audio/music_loader.h"

namespace tavro {

class HostAudio {
  public:
    // Looks for the soundfont (FluidSynth's configured default filled in) and loads it;
    // notices go to `notices`.
    explicit HostAudio(SoundFontSearch search, std::FILE* notices = stderr);
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
