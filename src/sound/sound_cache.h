// SoundCache: gives every WAV file name a stable sound index and one master buffer holding
// its samples in the host's audio output, and makes the voices (duplicates) that sound
// references play through. A failed load keeps the name, and the next request tries the file
// again. The sound device is the host's audio output, attached by createSoundDevice.
#pragma once

#include <cstdint>
#include <vector>

#include "host/audio_output.h"
#include "host/file_system.h"
#include "text/error_report.h"
#include "text/text_string.h"

namespace tavro {

class SoundCache {
  public:
    // `output` is the host's audio output (null: the host has none); files are read through
    // `files`, failures recorded in `log`.
    SoundCache(AudioOutput* output, FileSystem& files, ErrorSink& log);
    SoundCache(const SoundCache&) = delete;
    SoundCache& operator=(const SoundCache&) = delete;

    // Attaches the audio output; false, with "DirectSound" recorded, when the host has none.
    bool createSoundDevice();
    bool hasSoundDevice() const { return device_ != nullptr; }
    // The output voices play through, whether or not the device is attached.
    AudioOutput* output() const { return output_; }

    // The file's sound index once it has a master buffer; -1 for an empty name, no device or
    // a failed read (recorded, and the name stays for the next try).
    int32_t loadSound(const TextString& name);
    // A new voice of the sound, loading its master buffer again when it has none; -1 for none.
    int32_t duplicateSound(int32_t index);
    int32_t loadAndDuplicateSound(const TextString& name);
    // Frees a voice made by duplicateSound (device attached or not).
    void releaseVoice(int32_t voice);

    // Releases every master buffer; the names keep their indices.
    void releaseAllSounds();
    // releaseAllSounds, then forgets the master slots (shut-down).
    void freeSoundCache();

    ErrorSink& log() const { return log_; }
    int32_t soundCount() const { return static_cast<int32_t>(names_.size()); }

  private:
    int32_t indexOf(const TextString& name);
    bool readWave(int32_t index);
    void recordFailure(const char* prefix, const TextString& name);
    int32_t masterOf(int32_t index) const;  // -1: none

    AudioOutput* output_;
    AudioOutput* device_ = nullptr;
    FileSystem& files_;
    ErrorSink& log_;
    std::vector<TextString> names_;
    std::vector<int32_t> masters_;  // the output's master per sound index; -1: none
};

}  // namespace tavro
