// The music synthesiser: one FluidSynth synthesiser for the whole run (the soundfont loads
// once), rendering into the mixer as its source. Its player is timed by the samples it
// renders, so the music advances exactly with the mix, headless runs included.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "host/audio/audio_source.h"
#include "host/music_synth.h"
#include "sound/midi_file_check.h"

namespace tavro {

// The synthesiser's output gain. FluidSynth's own default (0.2) leaves General MIDI songs
// far below sound effects mixed at full scale; 0.5 puts a typical song's level near that of
// an effect without pushing dense passages into the mixer's knee.
inline constexpr float kMusicGain = 0.5f;

class FluidMusicSynth : public MusicSynth, public AudioSource {
  public:
    // Loads the soundfont; ready() tells whether that worked.
    explicit FluidMusicSynth(const std::string& soundFontPath, float gain = kMusicGain);
    ~FluidMusicSynth() override;
    FluidMusicSynth(const FluidMusicSynth&) = delete;
    FluidMusicSynth& operator=(const FluidMusicSynth&) = delete;

    bool ready() const;

    bool play(std::string_view midiFile, bool standardMidiFile) override;
    void stop() override;

    // The song's events sent one by one instead of played from a file (rendering a song
    // ahead of time): ends any song and resets the synthesiser as play() does.
    void startEvents(bool standardMidiFile);
    void send(const MidiEvent& event);

    // Mixing thread. Renders silence while the game thread is changing the song.
    void render(float* stereo, uint32_t frames) override;

    // The soundfont FluidSynth is configured to use by default (may not exist).
    static std::string configuredDefaultSoundFont();

  private:
    struct Fluid;
    void endSong();
    void resetForSong(bool standardMidiFile);

    std::unique_ptr<Fluid> fluid_;
    std::mutex mutex_;  // game thread: song changes; mixing thread: try-lock in render
};

}  // namespace tavro
