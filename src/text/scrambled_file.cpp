#include "text/scrambled_file.h"

#include <string>
#include <string_view>

#include "host/file_system.h"
#include "text/error_report.h"
#include "text/messages.h"
#include "text/text_functions.h"

namespace tavro {

namespace {

unsigned char swapNibbles(unsigned char byte) {
    return static_cast<unsigned char>((byte << 4) | (byte >> 4));
}

// Walks count bytes with the key position wrapping at the key's end.
template <typename ByteRule>
bool walkWithKey(char* bytes, int32_t count, const char* key, ByteRule rule) {
    const int32_t keyLength = textLength(key);
    if (bytes == nullptr || count <= 0 || keyLength == 0) {
        return false;
    }
    for (int32_t i = 0, j = 0; i < count; ++i) {
        auto& byte = reinterpret_cast<unsigned char&>(bytes[i]);
        byte = rule(byte, static_cast<unsigned char>(key[j]));
        j = j + 1 == keyLength ? 0 : j + 1;
    }
    return true;
}

constexpr size_t kLargestReadableFile = size_t{1} << 30;

std::string_view bytesOf(const TextString& text) {
    return {text.cStr(), static_cast<size_t>(text.length())};
}

}  // namespace

bool scrambleText(char* bytes, int32_t count, const char* key) {
    return walkWithKey(bytes, count, key, [](unsigned char plain, unsigned char keyByte) {
        const unsigned char c = plain == keyByte ? 1 : plain;
        return swapNibbles(c ^ keyByte);
    });
}

bool unscrambleText(char* bytes, int32_t count, const char* key) {
    return walkWithKey(bytes, count, key, [](unsigned char scrambledByte, unsigned char keyByte) {
        const unsigned char y = swapNibbles(scrambledByte) ^ keyByte;
        return y == 1 ? keyByte : y;
    });
}

ScrambledFile::ScrambledFile(FileSystem& files, ErrorSink* log, const char* path)
    : files_(files), log_(log) {
    setPath(path);
}

void ScrambledFile::setPath(const char* path) {
    path_ = path;
    const int32_t size = path_.length();
    if (size >= 3 && path_.view().substr(static_cast<size_t>(size) - 3) == ".xx") {
        key_ = kDefaultScrambleKey;
    } else if (key_ == kDefaultScrambleKey) {
        key_ = "";
    }
}

bool ScrambledFile::pathUsable() const {
    if (path_.empty()) {
        reportTo(log_, kInvalidFileNameMessage, Severity::kMinor);
        return false;
    }
    return true;
}

void ScrambledFile::reportOpenFailure(const char* modeSuffix) const {
    TextString message(kFileOpenFailedPrefix);
    message += path_;
    message += modeSuffix;
    reportTo(log_, message.cStr(), Severity::kError);
}

std::string ScrambledFile::scrambled(const TextString& text) const {
    std::string bytes(bytesOf(text));
    scrambleText(bytes.data(), static_cast<int32_t>(bytes.size()), key_.cStr());
    return bytes;
}

bool ScrambledFile::readAll(TextString& out) const {
    if (!pathUsable()) {
        return false;
    }
    std::string bytes;
    // A file beyond what a string can index is treated like one that cannot be opened.
    if (!files_.readFile(path_.view(), bytes) || bytes.size() >= kLargestReadableFile) {
        reportOpenFailure("] -rb");
        return false;
    }
    // Unscrambling the file's bytes before appending equals unscrambling out afterwards for
    // the empty out every caller passes.
    unscrambleText(bytes.data(), static_cast<int32_t>(bytes.size()), key_.cStr());
    out.appendBytes(bytes.data(), static_cast<int32_t>(bytes.size()));
    return true;
}

bool ScrambledFile::writeAll(const TextString& text) const {
    if (!pathUsable()) {
        return false;
    }
    if (!files_.replaceFile(path_.view(), scrambled(text))) {
        reportOpenFailure("] -wb");
        return false;
    }
    return true;
}

bool ScrambledFile::appendText(const TextString& text) const {
    if (!pathUsable()) {
        return false;
    }
    if (!files_.appendFile(path_.view(), scrambled(text))) {
        reportOpenFailure("] -ab");
        return false;
    }
    return true;
}

bool ScrambledFile::truncate() const {
    return pathUsable() && files_.truncateFile(path_.view());
}

}  // namespace tavro
