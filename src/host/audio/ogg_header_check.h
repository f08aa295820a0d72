// A check of an Ogg Vorbis file's comment header before stb_vorbis reads it: that decoder
// trusts the header's counts and lengths (it allocates what they claim, wraps a length of
// 2^32 - 1 to an empty buffer it then writes past, and crashes when an allocation fails), so
// a damaged or hostile file is refused here first.
#pragma once

#include <cstddef>
#include <string_view>

namespace tavro {

// True when the stream's second packet is a Vorbis comment header whose vendor string and
// comments lie within it and take at most `memory` bytes once read.
bool oggCommentsFit(std::string_view file, size_t memory);

}  // namespace tavro
