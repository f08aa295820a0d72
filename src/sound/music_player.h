// MusicPlayer: one piece of background music at a time, looping forever. A MIDI file plays
// through the host's synthesiser; a RIFF WAVE file given as music plays through the audio
// output as a looping voice. Every start first stops whatever played before, completely.
#pragma once

#include <cstdint>
#include <string_view>

#include "host/audio_output.h"
#include "host/file_system.h"
#include "host/music_synth.h"
#include "text/error_report.h"
#include "text/text_string.h"

namespace tavro {

// Whether a song of this name is played as a Standard MIDI File (General MIDI mode): a name
// ending in lower-case "mid".
bool hasStandardMidiSuffix(std::string_view name);

class MusicPlayer {
  public:
    // `synth` and `output` may be null when the host has none.
    MusicPlayer(MusicSynth* synth, AudioOutput* output, FileSystem& files, ErrorSink& log);
    ~MusicPlayer() { stopMusic(); }
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // Stops, then plays the file from its start. False when nothing plays: an empty name,
    // "DireceMusicPerformance" (no synthesiser for a MIDI file) or "DireceMusicSegment" (the
    // file is missing or cannot be played).
    bool playMusic(const TextString& fileName);
    void stopMusic();
    bool playing() const { return playing_; }

  private:
    bool playWave(std::string_view file);
    void recordFailure(const char* label);

    MusicSynth* synth_;
    AudioOutput* output_;
    FileSystem& files_;
    ErrorSink& log_;
    bool playing_ = false;
    int32_t waveMaster_ = -1;  // a wave file playing as music
    int32_t waveVoice_ = -1;
};

}  // namespace tavro
