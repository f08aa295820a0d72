// Ogg Vorbis encoding through libvorbis, for music rendered ahead of time.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tavro {

// Variable bit rate quality, -0.1 to 1: 0.3 is about 112 kbit/s for stereo at 44.1 kHz.
inline constexpr float kMusicVorbisQuality = 0.3f;

using VorbisComments = std::vector<std::pair<std::string, std::string>>;

// The interleaved stereo frames at `rate` as an Ogg Vorbis file with `comments` (tag, value);
// empty when the encoder refuses.
std::string encodeOggVorbis(const std::vector<float>& stereo, uint32_t rate,
                            const VorbisComments& comments, float quality = kMusicVorbisQuality);

}  // namespace tavro
