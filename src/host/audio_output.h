// Sound effects as the engine sees them: master buffers holding a wave file's samples, and
// voices that play a master's samples, each with its own position and playing state.
// Every call comes from the game thread; the host mixes on its own.
#pragma once

#include <cstdint>
#include <span>

namespace tavro {

// The sample layout of a PCM wave file.
struct PcmFormat {
    uint16_t formatTag = 0;  // 1: PCM
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
};

class AudioOutput {
  public:
    virtual ~AudioOutput() = default;

    // Keeps the samples, converted to the output format as they are mixed. -1 when the format
    // cannot be played or the samples hold no whole frame.
    virtual int32_t createMaster(const PcmFormat& format, std::span<const uint8_t> samples) = 0;
    // The master's voices keep its samples until they are released themselves.
    virtual void releaseMaster(int32_t master) = 0;
    // The same for background music, which the player's music volume scales.
    virtual int32_t createMusicMaster(const PcmFormat& format, std::span<const uint8_t> samples) {
        return createMaster(format, samples);
    }

    // A stopped voice at the start of the master's samples; -1 when there is none.
    virtual int32_t createVoice(int32_t master) = 0;
    virtual void releaseVoice(int32_t voice) = 0;

    // Starts a stopped voice from its position; a playing voice goes on. A voice that plays
    // to its end stops with its position back at the start, unless it loops.
    virtual void play(int32_t voice, bool looping) = 0;
    // Stops the voice; its position stays where it was.
    virtual void stop(int32_t voice) = 0;
    // Moves the voice to an output frame; a playing voice goes on from there.
    virtual void setPosition(int32_t voice, uint32_t frame) = 0;
};

}  // namespace tavro
