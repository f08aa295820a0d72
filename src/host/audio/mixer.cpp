#include "host/audio/mixer.h"

#include <algorithm>

#include "host/audio/sample_conversion.h"
#include "host/audio/soft_knee.h"

namespace tavro {

namespace {

constexpr size_t kCommandReserve = 1024;
constexpr float kRampStep = 1.0f / static_cast<float>(kRampFrames);
constexpr uint64_t kPlayingBit = uint64_t{1} << 32;

}  // namespace

Mixer::Mixer(uint32_t voiceCapacity)
    : voiceSamples_(voiceCapacity),
      published_(std::make_unique<std::atomic<uint64_t>[]>(voiceCapacity)),
      voices_(voiceCapacity),
      sourceBlock_(kSourceBlockFrames * kMixChannels) {
    freeVoices_.reserve(voiceCapacity);
    for (uint32_t voice = voiceCapacity; voice > 0; --voice) {
        freeVoices_.push_back(static_cast<int32_t>(voice - 1));
    }
    pending_.reserve(kCommandReserve);
    intake_.reserve(kCommandReserve);
}

Mixer::~Mixer() = default;

int32_t Mixer::createMaster(const PcmFormat& format, std::span<const uint8_t> samples) {
    return addMaster(format, samples, effectsGain_);
}

int32_t Mixer::createMusicMaster(const PcmFormat& format, std::span<const uint8_t> samples) {
    return addMaster(format, samples, musicGain_);
}

int32_t Mixer::addMaster(const PcmFormat& format, std::span<const uint8_t> samples, float gain) {
    CompactSamples kept = compactSamples(format, samples, kMixRate);
    if (kept.outputFrames == 0) {
        return -1;
    }
    kept.scale = gain / 32768.0f;
    auto shared = std::make_shared<const CompactSamples>(std::move(kept));
    const auto freeSlot = std::find(masters_.begin(), masters_.end(), nullptr);
    if (freeSlot != masters_.end()) {
        *freeSlot = std::move(shared);
        return static_cast<int32_t>(freeSlot - masters_.begin());
    }
    masters_.push_back(std::move(shared));
    return static_cast<int32_t>(masters_.size() - 1);
}

void Mixer::releaseMaster(int32_t master) {
    if (master >= 0 && static_cast<size_t>(master) < masters_.size()) {
        masters_[static_cast<size_t>(master)].reset();
    }
}

int32_t Mixer::createVoice(int32_t master) {
    reclaimRetired();
    if (master < 0 || static_cast<size_t>(master) >= masters_.size() ||
        !masters_[static_cast<size_t>(master)] || freeVoices_.empty()) {
        return -1;
    }
    const int32_t voice = freeVoices_.back();
    freeVoices_.pop_back();
    const Samples& samples = masters_[static_cast<size_t>(master)];
    voiceSamples_[static_cast<size_t>(voice)] = samples;
    published_[static_cast<size_t>(voice)].store(0, std::memory_order_relaxed);
    send({CommandKind::attach, voice, static_cast<uint32_t>(samples->outputFrames), samples.get()});
    return voice;
}

void Mixer::releaseVoice(int32_t voice) {
    if (!validVoice(voice)) {
        return;
    }
    send({CommandKind::detach, voice, 0, nullptr});
    retired_.emplace_back(commandsSent_, std::move(voiceSamples_[static_cast<size_t>(voice)]));
    voiceSamples_[static_cast<size_t>(voice)].reset();
    freeVoices_.push_back(voice);
    reclaimRetired();
}

void Mixer::play(int32_t voice, bool looping) {
    if (validVoice(voice)) {
        send({looping ? CommandKind::playLooping : CommandKind::play, voice, 0, nullptr});
    }
}

void Mixer::stop(int32_t voice) {
    if (validVoice(voice)) {
        send({CommandKind::stop, voice, 0, nullptr});
    }
}

void Mixer::setPosition(int32_t voice, uint32_t frame) {
    if (validVoice(voice)) {
        send({CommandKind::setPosition, voice, frame, nullptr});
    }
}

bool Mixer::voicePlaying(int32_t voice) const {
    return voice >= 0 && static_cast<size_t>(voice) < voices_.size() &&
           (published_[static_cast<size_t>(voice)].load(std::memory_order_acquire) & kPlayingBit);
}

uint32_t Mixer::voicePosition(int32_t voice) const {
    if (voice < 0 || static_cast<size_t>(voice) >= voices_.size()) {
        return 0;
    }
    return static_cast<uint32_t>(
        published_[static_cast<size_t>(voice)].load(std::memory_order_acquire));
}

uint32_t Mixer::masterFrames(int32_t master) const {
    if (master < 0 || static_cast<size_t>(master) >= masters_.size() ||
        !masters_[static_cast<size_t>(master)]) {
        return 0;
    }
    return static_cast<uint32_t>(masters_[static_cast<size_t>(master)]->outputFrames);
}

bool Mixer::validVoice(int32_t voice) const {
    return voice >= 0 && static_cast<size_t>(voice) < voiceSamples_.size() &&
           voiceSamples_[static_cast<size_t>(voice)];
}

void Mixer::send(Command command) {
    std::lock_guard lock(pendingMutex_);
    pending_.push_back(command);
    ++commandsSent_;
}

void Mixer::reclaimRetired() {
    const uint64_t applied = commandsApplied_.load(std::memory_order_acquire);
    std::erase_if(retired_, [applied](const auto& entry) { return entry.first <= applied; });
}

void Mixer::mix(float* stereo, uint32_t frames) {
    applyCommands();
    std::fill(stereo, stereo + static_cast<size_t>(frames) * kMixChannels, 0.0f);
    for (Voice& voice : voices_) {
        if (voice.state != VoiceState::stopped) {
            mixVoice(voice, stereo, frames);
        }
    }
    addSource(stereo, frames);
    for (size_t i = 0; i < static_cast<size_t>(frames) * kMixChannels; ++i) {
        stereo[i] = softKnee(stereo[i]);
    }
    publish();
}

void Mixer::applyCommands() {
    {
        std::unique_lock lock(pendingMutex_, std::try_to_lock);
        if (!lock.owns_lock() || pending_.empty()) {
            return;
        }
        intake_.swap(pending_);
    }
    for (const Command& command : intake_) {
        apply(command);
    }
    commandsApplied_.fetch_add(intake_.size(), std::memory_order_release);
    intake_.clear();
}

void Mixer::apply(const Command& command) {
    Voice& voice = voices_[static_cast<size_t>(command.voice)];
    switch (command.kind) {
        case CommandKind::attach:
            voice = Voice{command.samples, command.frame};
            break;
        case CommandKind::detach:
            voice = Voice{};
            break;
        case CommandKind::play:
        case CommandKind::playLooping:
            voice.looping = command.kind == CommandKind::playLooping;
            if (voice.state == VoiceState::stopping) {
                voice.state = VoiceState::playing;  // fades back in from where it is
            } else if (voice.state == VoiceState::stopped) {
                voice.state = VoiceState::playing;
                voice.gain = 0.0f;
            }
            break;
        case CommandKind::stop:
            if (voice.state == VoiceState::playing) {
                voice.state = VoiceState::stopping;
                voice.resumePosition = voice.position;
            }
            break;
        case CommandKind::setPosition: {
            const uint32_t frame = command.frame < voice.frames ? command.frame : 0;
            voice.position = frame;
            voice.resumePosition = frame;
            break;
        }
    }
}

void Mixer::mixVoice(Voice& voice, float* stereo, uint32_t frames) {
    uint32_t done = 0;
    while (done < frames && voice.state != VoiceState::stopped) {
        const uint32_t run = std::min(frames - done, voice.frames - voice.position);
        const CompactSamples& source = *voice.samples;
        float* target = stereo + static_cast<size_t>(done) * kMixChannels;
        uint32_t mixed = 0;
        float left = 0.0f;
        float right = 0.0f;
        if (voice.state == VoiceState::playing && voice.gain >= 1.0f) {
            for (; mixed < run; ++mixed) {
                source.stereoFrame(voice.position + mixed, left, right);
                target[mixed * 2] += left;
                target[mixed * 2 + 1] += right;
            }
        } else {
            // A fade in or out, one frame at a time; it ends within kRampFrames.
            for (; mixed < run; ++mixed) {
                if (voice.state == VoiceState::playing) {
                    if (voice.gain >= 1.0f) {
                        break;
                    }
                    voice.gain = std::min(1.0f, voice.gain + kRampStep);
                } else {
                    voice.gain -= kRampStep;
                    if (voice.gain <= 0.0f) {
                        voice.gain = 0.0f;
                        voice.state = VoiceState::stopped;
                        voice.position = voice.resumePosition;
                        return;
                    }
                }
                source.stereoFrame(voice.position + mixed, left, right);
                target[mixed * 2] += left * voice.gain;
                target[mixed * 2 + 1] += right * voice.gain;
            }
        }
        done += mixed;
        voice.position += mixed;
        if (voice.position == voice.frames) {
            voice.position = 0;
            if (!voice.looping) {
                voice.state = VoiceState::stopped;
                voice.gain = 0.0f;
            }
        }
    }
}

void Mixer::addSource(float* stereo, uint32_t frames) {
    AudioSource* source = source_.load(std::memory_order_acquire);
    if (!source) {
        return;
    }
    for (uint32_t done = 0; done < frames;) {
        const uint32_t block = std::min(frames - done, kSourceBlockFrames);
        source->render(sourceBlock_.data(), block);
        float* target = stereo + static_cast<size_t>(done) * kMixChannels;
        for (size_t i = 0; i < static_cast<size_t>(block) * kMixChannels; ++i) {
            target[i] += sourceBlock_[i];
        }
        done += block;
    }
}

void Mixer::publish() {
    for (size_t i = 0; i < voices_.size(); ++i) {
        const Voice& voice = voices_[i];
        if (voice.samples) {
            const uint64_t playing = voice.state == VoiceState::stopped ? 0 : kPlayingBit;
            published_[i].store(playing | voice.position, std::memory_order_release);
        }
    }
}

}  // namespace tavro
