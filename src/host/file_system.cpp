#include "host/file_system.h"

namespace tavro {

size_t largestReadableFile(FileKind kind) {
    constexpr size_t kMegabyte = size_t{1} << 20;
    switch (kind) {
        case FileKind::kImage:
            return 256 * kMegabyte;
        case FileKind::kSound:
            return 512 * kMegabyte;
        case FileKind::kMusic:
            return 16 * kMegabyte;
        case FileKind::kText:
            break;
    }
    return 64 * kMegabyte;
}

const char* fileKindName(FileKind kind) {
    switch (kind) {
        case FileKind::kImage:
            return "image";
        case FileKind::kSound:
            return "sound";
        case FileKind::kMusic:
            return "music file";
        case FileKind::kText:
            break;
    }
    return "text file";
}

}  // namespace tavro
