// Names that extractors make of Shift-JIS names in archives without the UTF-8 flag: the bytes
// read as CP437 or as CP1252 (the bytes CP1252 leaves undefined taken as Latin-1) and written
// back as UTF-8. Reading such a disk name backwards gives the Shift-JIS name the game asks for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavro {

// The Shift-JIS names a disk name may stand for, one per code page whose reading it could be
// and whose bytes are valid Shift-JIS with at least one double-byte character; none for a
// plain ASCII name or one that is no such reading.
std::vector<std::string> unmangledShiftJisNames(std::string_view diskName);

}  // namespace tavro
