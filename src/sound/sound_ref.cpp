#include "sound/sound_ref.h"

#include <utility>

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
            cache.log().record("Duplicate", kSoundRefSeverity);
            return false;
        }
        cache_ = &cache;
    }
    return true;
}

bool LoadSoundRef(SoundRef& sound, const TextString& fileName, SoundCache& cache) {
    ReleaseSoundRef(sound);
    if (fileName.empty()) {
        return false;
    }
    sound.soundIndex = cache.loadSound(fileName);
    if (sound.soundIndex < 0) {
        return false;
    }
    return sound.prepare(cache);
}

bool PlaySound(SoundRef& sound, SoundCache& cache) {
    if (!sound.prepare(cache)) {
        return false;
    }
    cache.output()->play(sound.voice_, false);
    return true;
}

bool RewindSound(SoundRef& sound, SoundCache& cache) {
    if (!sound.prepare(cache)) {
        return false;
    }
    cache.output()->setPosition(sound.voice_, 0);
    return true;
}

bool StopSound(SoundRef& sound, SoundCache& cache) {
    if (!sound.prepare(cache)) {
        return false;
    }
    cache.output()->stop(sound.voice_);
    return true;
}

void ReleaseSoundRef(SoundRef& sound) {
    sound.releaseVoice();
    sound.soundIndex = -1;
}

}  // namespace tavro
