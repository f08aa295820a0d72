#include "host/audio/ogg_loop_music.h"

#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>

#include <algorithm>
#include <charconv>
#include <cstring>

#include "host/audio/mixer.h"
#include "host/audio/ogg_header_check.h"

namespace tavro {

namespace {

// The loop start among the file's comments (kLoopStartTag=frame, the tag in any case); 0
// without one or for a value that is not a frame number.
uint32_t loopStartOf(stb_vorbis* decoder) {
    const stb_vorbis_comment comments = stb_vorbis_get_comment(decoder);
    const size_t tagLength = std::strlen(kLoopStartTag);
    for (int i = 0; i < comments.comment_list_length; ++i) {
        const std::string_view comment = comments.comment_list[i];
        if (comment.size() <= tagLength || comment[tagLength] != '=' ||
            strncasecmp(comment.data(), kLoopStartTag, tagLength) != 0) {
            continue;
        }
        const std::string_view value = comment.substr(tagLength + 1);
        uint32_t frame = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), frame);
        return error == std::errc() && end == value.data() + value.size() ? frame : 0;
    }
    return 0;
}

}  // namespace

OggLoopMusic::~OggLoopMusic() {
    close();
}

bool OggLoopMusic::play(std::string_view file, bool) {
    std::lock_guard lock(mutex_);
    close();
    file_.assign(file);
    // The comments take at most a quarter of the decoder's memory; the codebooks need the rest.
    if (!oggCommentsFit(file_, decoderMemory_.size() / 4)) {
        close();
        return false;
    }
    int error = 0;
    const stb_vorbis_alloc memory{decoderMemory_.data(), static_cast<int>(decoderMemory_.size())};
    decoder_ = stb_vorbis_open_memory(reinterpret_cast<const unsigned char*>(file_.data()),
                                      static_cast<int>(file_.size()), &error, &memory);
    if (!decoder_) {
        return false;
    }
    const stb_vorbis_info info = stb_vorbis_get_info(decoder_);
    if (info.channels != static_cast<int>(kMixChannels) || info.sample_rate != kMixRate) {
        close();
        return false;
    }
    loopStart_ = loopStartOf(decoder_);
    if (loopStart_ >= stb_vorbis_stream_length_in_samples(decoder_)) {
        loopStart_ = 0;
    }
    return true;
}

void OggLoopMusic::stop() {
    std::lock_guard lock(mutex_);
    close();
}

void OggLoopMusic::close() {
    if (decoder_) {
        stb_vorbis_close(decoder_);
        decoder_ = nullptr;
    }
    file_.clear();
    loopStart_ = 0;
    ended_ = false;
}

bool OggLoopMusic::rewind() {
    return loopStart_ == 0 ? stb_vorbis_seek_start(decoder_) != 0
                           : stb_vorbis_seek(decoder_, loopStart_) != 0;
}

void OggLoopMusic::render(float* stereo, uint32_t frames) {
    std::unique_lock lock(mutex_, std::try_to_lock);
    uint32_t done = 0;
    if (lock.owns_lock() && decoder_) {
        bool rewound = false;  // and nothing decoded since
        while (done < frames && !ended_) {
            const int got = stb_vorbis_get_samples_float_interleaved(
                decoder_, kMixChannels, stereo + done * kMixChannels,
                static_cast<int>((frames - done) * kMixChannels));
            if (got > 0) {
                done += static_cast<uint32_t>(got);
                rewound = false;
            } else {
                ended_ = rewound || !rewind();
                rewound = true;
            }
        }
    }
    std::fill(stereo + done * kMixChannels, stereo + frames * kMixChannels, 0.0f);
    for (uint32_t i = 0; i < done * kMixChannels; ++i) {
        stereo[i] *= gain_;
    }
}

}  // namespace tavro
