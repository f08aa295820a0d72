#include "sound/sound_cache.h"

#include <string>

#include "sound/wave_reader.h"
#include "text/messages.h"

namespace tavro {

namespace {

constexpr Severity kWaveFailureSeverity = Severity::kError;

const char* faultPrefix(WaveFault fault) {
    switch (fault) {
        case WaveFault::noRiff:
            return "riff [";
        case WaveFault::noChunk:
            return "chunk [";
        case WaveFault::shortFormat:
            return "format [";
        case WaveFault::shortData:
            return "data [";
        case WaveFault::none:
            break;
    }
    return "";
}

}  // namespace

SoundCache::SoundCache(AudioOutput* output, FileSystem& files, ErrorSink& log)
    : output_(output), files_(files), log_(log) {}

bool SoundCache::createSoundDevice() {
    device_ = output_;
    if (!device_) {
        log_.record(kSoundDeviceLabel, Severity::kError);
        return false;
    }
    return true;
}

int32_t SoundCache::loadSound(const TextString& name) {
    if (name.empty() || (!device_ && !createSoundDevice())) {
        return -1;
    }
    const int32_t index = indexOf(name);
    if (masterOf(index) >= 0) {
        return index;
    }
    return readWave(index) ? index : -1;
}

int32_t SoundCache::duplicateSound(int32_t index) {
    if (index < 0) {
        return -1;
    }
    if (masterOf(index) < 0) {
        const bool named = static_cast<size_t>(index) < names_.size();
        loadSound(named ? names_[static_cast<size_t>(index)] : TextString());
    }
    const int32_t master = masterOf(index);
    return master >= 0 && device_ ? device_->createVoice(master) : -1;
}

int32_t SoundCache::loadAndDuplicateSound(const TextString& name) {
    const int32_t index = loadSound(name);
    return index < 0 ? -1 : duplicateSound(index);
}

void SoundCache::releaseVoice(int32_t voice) {
    if (output_ && voice >= 0) {
        output_->releaseVoice(voice);
    }
}

void SoundCache::releaseAllSounds() {
    for (int32_t& master : masters_) {
        if (master >= 0 && device_) {
            device_->releaseMaster(master);
        }
        master = -1;
    }
}

void SoundCache::freeSoundCache() {
    releaseAllSounds();
    masters_.clear();
    masters_.shrink_to_fit();
}

int32_t SoundCache::indexOf(const TextString& name) {
    for (size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == name) {
            return static_cast<int32_t>(i);
        }
    }
    names_.push_back(name);
    return static_cast<int32_t>(names_.size() - 1);
}

bool SoundCache::readWave(int32_t index) {
    const TextString& name = names_[static_cast<size_t>(index)];
    std::string bytes;
    if (!files_.readFile(name.view(), bytes, FileKind::kSound)) {
        recordFailure(kFileOpenFailedPrefix, name);
        return false;
    }
    WaveFile wave;
    if (const WaveFault fault = parseWave(bytes, wave); fault != WaveFault::none) {
        recordFailure(faultPrefix(fault), name);
        return false;
    }
    const auto* samples = reinterpret_cast<const uint8_t*>(wave.samples.data());
    const int32_t master =
        device_->createMaster(wave.format.pcmFormat(), {samples, wave.samples.size()});
    if (master < 0) {
        recordFailure(kSoundCopyLabel, name);
        return false;
    }
    if (masters_.size() < names_.size()) {
        masters_.resize(names_.size(), -1);
    }
    masters_[static_cast<size_t>(index)] = master;
    return true;
}

void SoundCache::recordFailure(const char* prefix, const TextString& name) {
    const std::string text = std::string(prefix) + std::string(name.view()) + "]";
    log_.record(text.c_str(), kWaveFailureSeverity);
}

int32_t SoundCache::masterOf(int32_t index) const {
    return static_cast<size_t>(index) < masters_.size() ? masters_[static_cast<size_t>(index)] : -1;
}

}  // namespace tavro
