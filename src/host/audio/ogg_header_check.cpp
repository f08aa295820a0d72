#include "host/audio/ogg_header_check.h"

#include <cstdint>
#include <string>

namespace tavro {

namespace {

constexpr size_t kPageHeader = 27;  // up to the segment count
constexpr std::string_view kCapture = "OggS";
constexpr std::string_view kCommentPacket = "\x03vorbis";

// The bytes of packet `wanted` (0 first) of the pages from the file's start, one page after
// another; false when the file ends first.
bool gatherPacket(std::string_view file, int32_t wanted, std::string& packet) {
    int32_t index = 0;
    for (size_t page = 0; page + kPageHeader <= file.size();) {
        if (file.substr(page, kCapture.size()) != kCapture) {
            return false;
        }
        const auto segments = static_cast<uint8_t>(file[page + kPageHeader - 1]);
        size_t body = page + kPageHeader + segments;
        if (body > file.size()) {
            return false;
        }
        for (size_t segment = 0; segment < segments; ++segment) {
            const auto length = static_cast<uint8_t>(file[page + kPageHeader + segment]);
            if (body + length > file.size()) {
                return false;
            }
            if (index == wanted) {
                packet.append(file.substr(body, length));
            }
            body += length;
            if (length < 255 && index++ == wanted) {
                return true;
            }
        }
        page = body;
    }
    return false;
}

class PacketReader {
  public:
    explicit PacketReader(std::string_view packet) : packet_(packet) {}
    // A little-endian 32-bit value; false past the end.
    bool read32(uint32_t& value) {
        if (packet_.size() - at_ < 4) {
            return false;
        }
        value = 0;
        for (size_t i = 4; i-- > 0;) {
            value = value << 8 | static_cast<uint8_t>(packet_[at_ + i]);
        }
        at_ += 4;
        return true;
    }
    bool skip(uint32_t count) {
        if (packet_.size() - at_ < count) {
            return false;
        }
        at_ += count;
        return true;
    }

  private:
    std::string_view packet_;
    size_t at_ = kCommentPacket.size();
};

}  // namespace

bool oggCommentsFit(std::string_view file, size_t memory) {
    std::string packet;
    if (!gatherPacket(file, 1, packet) || !packet.starts_with(kCommentPacket)) {
        return false;
    }
    PacketReader reader(packet);
    uint32_t vendor = 0;
    uint32_t count = 0;
    if (!reader.read32(vendor) || !reader.skip(vendor) || !reader.read32(count) ||
        count > packet.size() / 4) {
        return false;
    }
    size_t needed = vendor + 1 + size_t{count} * sizeof(char*);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t length = 0;
        if (!reader.read32(length) || !reader.skip(length)) {
            return false;
        }
        needed += size_t{length} + 1;
    }
    return needed <= memory;
}

}  // namespace tavro
