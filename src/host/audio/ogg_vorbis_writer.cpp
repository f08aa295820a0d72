#include "host/audio/ogg_vorbis_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdint>

namespace tavro {

namespace {

constexpr size_t kFramesPerWrite = 4096;

class VorbisEncoder {
  public:
    VorbisEncoder() {
        vorbis_info_init(&info_);
        vorbis_comment_init(&comment_);
    }
    ~VorbisEncoder() {
        if (started_) {
            ogg_stream_clear(&stream_);
            vorbis_block_clear(&block_);
            vorbis_dsp_clear(&dsp_);
        }
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }
    VorbisEncoder(const VorbisEncoder&) = delete;
    VorbisEncoder& operator=(const VorbisEncoder&) = delete;

    bool start(uint32_t rate, const VorbisComments& comments, float quality) {
        if (vorbis_encode_init_vbr(&info_, 2, static_cast<long>(rate), quality) != 0) {
            return false;
        }
        for (const auto& [tag, value] : comments) {
            vorbis_comment_add_tag(&comment_, tag.c_str(), value.c_str());
        }
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        ogg_stream_init(&stream_, 1);
        started_ = true;
        ogg_packet header;
        ogg_packet commentHeader;
        ogg_packet codeHeader;
        vorbis_analysis_headerout(&dsp_, &comment_, &header, &commentHeader, &codeHeader);
        ogg_stream_packetin(&stream_, &header);
        ogg_stream_packetin(&stream_, &commentHeader);
        ogg_stream_packetin(&stream_, &codeHeader);
        // The audio starts on a page of its own.
        while (ogg_stream_flush(&stream_, &page_) != 0) {
            appendPage();
        }
        return true;
    }

    // Frames to encode; none ends the stream.
    void write(const float* stereo, size_t frames) {
        if (frames > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(frames));
            for (size_t i = 0; i < frames; ++i) {
                buffer[0][i] = stereo[i * 2];
                buffer[1][i] = stereo[i * 2 + 1];
            }
        }
        vorbis_analysis_wrote(&dsp_, static_cast<int>(frames));
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp_, &packet) != 0) {
                ogg_stream_packetin(&stream_, &packet);
                while (ogg_stream_pageout(&stream_, &page_) != 0) {
                    appendPage();
                }
            }
        }
        if (frames == 0) {
            while (ogg_stream_flush(&stream_, &page_) != 0) {
                appendPage();
            }
        }
    }

    std::string& file() { return file_; }

  private:
    void appendPage() {
        file_.append(reinterpret_cast<const char*>(page_.header), page_.header_len);
        file_.append(reinterpret_cast<const char*>(page_.body), page_.body_len);
    }

    vorbis_info info_;
    vorbis_comment comment_;
    vorbis_dsp_state dsp_{};
    vorbis_block block_{};
    ogg_stream_state stream_{};
    ogg_page page_{};
    bool started_ = false;
    std::string file_;
};

}  // namespace

std::string encodeOggVorbis(const std::vector<float>& stereo, uint32_t rate,
                            const VorbisComments& comments, float quality) {
    VorbisEncoder encoder;
    if (!encoder.start(rate, comments, quality)) {
        return {};
    }
    const size_t frames = stereo.size() / 2;
    for (size_t done = 0; done < frames; done += kFramesPerWrite) {
        encoder.write(stereo.data() + done * 2, std::min(kFramesPerWrite, frames - done));
    }
    encoder.write(nullptr, 0);
    return std::move(encoder.file());
}

}  // namespace tavro
