// Tavro's mixer: master buffers hold a wave file's samples compactly (16-bit, its own
// channels and rate); voices play them, each with its own position and state, converting
// each frame to stereo floats at the output rate as it is mixed; one more source (the music)
// is added on top, and the sum passes a soft knee.
//
// The game thread calls the AudioOutput functions; they queue commands that the mixing thread
// takes at the start of its next mix under a try-lock, so mixing never waits, and it never
// allocates. Samples a released voice played are freed on the game thread once the mixer has
// seen the release.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <utility>
#include <vector>

#include "host/audio/audio_source.h"
#include "host/audio/sample_conversion.h"
#include "host/audio_output.h"

namespace tavro {

inline constexpr uint32_t kMixRate = 44100;
inline constexpr uint32_t kMixChannels = 2;
// Start and stop fade over this many frames (about 1.5 ms), so voices never click.
inline constexpr uint32_t kRampFrames = 64;
inline constexpr uint32_t kDefaultVoiceCapacity = 4096;
// The mixer pulls its source in blocks of at most this many frames.
inline constexpr uint32_t kSourceBlockFrames = 1024;

class Mixer : public AudioOutput {
  public:
    explicit Mixer(uint32_t voiceCapacity = kDefaultVoiceCapacity);
    ~Mixer() override;
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    int32_t createMaster(const PcmFormat& format, std::span<const uint8_t> samples) override;
    int32_t createMusicMaster(const PcmFormat& format, std::span<const uint8_t> samples) override;
    void releaseMaster(int32_t master) override;
    int32_t createVoice(int32_t master) override;
    void releaseVoice(int32_t voice) override;
    void play(int32_t voice, bool looping) override;
    void stop(int32_t voice) override;
    void setPosition(int32_t voice, uint32_t frame) override;

    // The source added to every mix (null for none). The source must outlive the mixer's use
    // of it: clear it, then stop the mixing thread, before destroying the source.
    void setSource(AudioSource* source) { source_.store(source, std::memory_order_release); }
    // The player's volumes, applied to the masters made from then on (game thread): the sound
    // effects' and the wave music's share of the mix, 1 full, 0.5 half the amplitude, 0 silent.
    void setEffectsGain(float gain) { effectsGain_ = gain; }
    void setMusicGain(float gain) { musicGain_ = gain; }

    // Mixing thread: writes `frames` interleaved stereo frames.
    void mix(float* stereo, uint32_t frames);

    // The state the mixer left a voice in at its last mix (any thread).
    bool voicePlaying(int32_t voice) const;
    uint32_t voicePosition(int32_t voice) const;
    // Frames in a master at the output rate; 0 for none.
    uint32_t masterFrames(int32_t master) const;

  private:
    using Samples = std::shared_ptr<const CompactSamples>;

    enum class CommandKind : uint8_t { attach, detach, play, playLooping, stop, setPosition };
    struct Command {
        CommandKind kind;
        int32_t voice;
        uint32_t frame;  // setPosition: the frame; attach: the sample count in frames
        const CompactSamples* samples;
    };

    enum class VoiceState : uint8_t { stopped, playing, stopping };
    struct Voice {
        const CompactSamples* samples = nullptr;
        uint32_t frames = 0;
        uint32_t position = 0;
        uint32_t resumePosition = 0;  // where a fading stop leaves the voice
        float gain = 0.0f;
        VoiceState state = VoiceState::stopped;
        bool looping = false;
    };

    int32_t addMaster(const PcmFormat& format, std::span<const uint8_t> samples, float gain);
    bool validVoice(int32_t voice) const;
    void send(Command command);
    void reclaimRetired();
    void applyCommands();
    void apply(const Command& command);
    void mixVoice(Voice& voice, float* stereo, uint32_t frames);
    void addSource(float* stereo, uint32_t frames);
    void publish();

    // Game thread.
    std::vector<Samples> masters_;
    std::vector<Samples> voiceSamples_;  // null: the voice slot is free
    std::vector<int32_t> freeVoices_;
    std::vector<std::pair<uint64_t, Samples>> retired_;  // freed once that many commands ran
    uint64_t commandsSent_ = 0;
    float effectsGain_ = 1.0f;
    float musicGain_ = 1.0f;

    // Shared between the threads.
    std::mutex pendingMutex_;
    std::vector<Command> pending_;
    std::atomic<uint64_t> commandsApplied_{0};
    std::atomic<AudioSource*> source_{nullptr};
    std::unique_ptr<std::atomic<uint64_t>[]> published_;  // position, playing in bit 32

    // Mixing thread.
    std::vector<Command> intake_;
    std::vector<Voice> voices_;
    std::vector<float> sourceBlock_;
};

}  // namespace tavro
