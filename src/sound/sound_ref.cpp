#include "sound/sound_ref.h"

#include <utility>

#include "text/messages.h"

namespace tavro {

namespace {

constexpr Severity kSoundRefSeverity = Severity::kNotice;

}  // namespace

SoundRef::SoundRef(SoundRef&& other) noexcept
    : soundIndex(other.soundIndex),
      voice_(std::exchange(other.voice_, -1)),
      cache_(std::exchange(other.cache_, nullptr)) {}

SoundRef& SoundRef::operator=(const SoundRef& other) {
    if (this != &other) {
        releaseVoice();
        soundIndex = other.soundIndex;
    }
    return *this;
}

SoundRef& SoundRef::operator=(SoundRef&& other) noexcept {
    if (this != &other) {
        releaseVoice();
        soundIndex = other.soundIndex;
        voice_ = std::exchange(other.voice_, -1);
        cache_ = std::exchange(other.cache_, nullptr);
    }
    return *this;
}

void SoundRef::releaseVoice() {
    if (cache_) {
        cache_->releaseVoice(voice_);
    }
    voice_ = -1;
    cache_ = nullptr;
}

bool SoundRef::prepare(SoundCache& cache) {
    if (soundIndex < 0) {
        return false;
    }
    if (voice_ < 0) {
        voice_ = cache.duplicateSound(soundIndex);
        if (voice_ < 0) {
            cache.log().record(kSoundVoiceLabel, kSoundRefSeverity);
            return false;
        }
        cache_ = &cache;
    }
    return true;
}

bool SoundRef::load(const TextString& fileName, SoundCache& cache) {
    release();
    if (fileName.empty()) {
        return false;
    }
    soundIndex = cache.loadSound(fileName);
    if (soundIndex < 0) {
        return false;
    }
    return prepare(cache);
}

bool SoundRef::play(SoundCache& cache) {
    if (!prepare(cache)) {
        return false;
    }
    cache.output()->play(voice_, false);
    return true;
}

bool SoundRef::rewind(SoundCache& cache) {
    if (!prepare(cache)) {
        return false;
    }
    cache.output()->setPosition(voice_, 0);
    return true;
}

bool SoundRef::stop(SoundCache& cache) {
    if (!prepare(cache)) {
        return false;
    }
    cache.output()->stop(voice_);
    return true;
}

void SoundRef::release() {
    releaseVoice();
    soundIndex = -1;
}

}  // namespace tavro
