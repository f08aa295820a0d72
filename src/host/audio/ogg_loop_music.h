// Songs rendered ahead of time (midi_loop_renderer.h) played from their Ogg Vorbis files, for
// a build without a MIDI synthesiser: the song named "bgm/a.mid" plays from "bgm/a.mid.ogg".
// The file plays once from its start and then loops from the frame its comment
// TAVRO_LOOP_START names (0 when it has none), decoded as the mixer pulls it.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "host/audio/audio_source.h"
#include "host/music_synth.h"

struct stb_vorbis;

namespace tavro {

inline constexpr char kRenderedSongSuffix[] = ".ogg";
inline constexpr char kLoopStartTag[] = "TAVRO_LOOP_START";
// The decoder works in this much memory of its own: libvorbis's files need about 250 kB. A
// file that needs more does not play; nothing a file holds makes the decoder allocate, and a
// damaged file leaks nothing.
inline constexpr size_t kOggDecoderMemory = size_t{1} << 20;

class OggLoopMusic : public MusicSynth, public AudioSource {
  public:
    // `gain` scales the decoded samples (the player's music volume).
    explicit OggLoopMusic(float gain = 1.0f) : decoderMemory_(kOggDecoderMemory), gain_(gain) {}
    ~OggLoopMusic() override;
    OggLoopMusic(const OggLoopMusic&) = delete;
    OggLoopMusic& operator=(const OggLoopMusic&) = delete;

    // `file` is the song's Ogg Vorbis file; false, with nothing playing, unless it is stereo
    // at the mixer's rate and decodes.
    bool play(std::string_view file, bool standardMidiFile) override;
    void stop() override;
    const char* songSuffix() const override { return kRenderedSongSuffix; }

    // Mixing thread. Silence while the game thread changes the song.
    void render(float* stereo, uint32_t frames) override;

    uint32_t loopStartFrame() const { return loopStart_; }

  private:
    void close();
    bool rewind();

    std::string file_;  // the decoder reads it in place
    std::vector<char> decoderMemory_;
    stb_vorbis* decoder_ = nullptr;
    uint32_t loopStart_ = 0;
    bool ended_ = false;  // the file yields nothing even from its loop start
    float gain_;
    std::mutex mutex_;
};

}  // namespace tavro
