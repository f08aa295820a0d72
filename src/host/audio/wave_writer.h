// Records the mix as a 16-bit stereo WAV file at the mixer's rate. Frames are appended as
// they come; the header's sizes are filled in when the writer finishes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace tavro {

class WaveWriter {
  public:
    // Creates the file; ok() tells whether that worked.
    explicit WaveWriter(const std::string& path);
    ~WaveWriter() { finish(); }
    WaveWriter(const WaveWriter&) = delete;
    WaveWriter& operator=(const WaveWriter&) = delete;

    bool ok() const { return file_ != nullptr; }
    // Appends interleaved stereo frames, rounded to 16 bits and held to full scale.
    void write(const float* stereo, uint32_t frames);
    // Completes the header and closes the file; false when a write failed.
    bool finish();

  private:
    std::FILE* file_;
    uint64_t dataBytes_ = 0;
    bool failed_ = false;
};

}  // namespace tavro
