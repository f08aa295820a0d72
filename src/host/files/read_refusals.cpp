#include "host/files/read_refusals.h"

#include <cstdio>

#include "text/shift_jis.h"

namespace tavro {

void ReadRefusals::say(std::string_view path, const std::string& why) {
    if (said_.insert(std::string(path)).second) {
        std::fprintf(stderr, "tavro: '%s' is not read: %s\n", shiftJisToUtf8(path).c_str(),
                     why.c_str());
    }
}

std::string tooLargeReason(uint64_t size, FileKind kind) {
    const std::string noun = fileKindName(kind);
    const char* article =
        std::string_view("aeiou").find(noun[0]) == std::string_view::npos ? "a " : "an ";
    return "it has " + std::to_string(size) + " bytes, more than the " +
           std::to_string(largestReadableFile(kind) >> 20) + " MB " + article + noun + " may have";
}

}  // namespace tavro
