// A quick structural check of a Standard MIDI File before it reaches the synthesiser, so a
// file that cannot be parsed fails at once instead of leaving a silent, looping player.
#pragma once

#include <string_view>

namespace tavro {

// True for an "MThd" header of at least 6 bytes with format 0, 1 or 2 and one or more
// tracks, followed by that many "MTrk" chunks (other chunks skipped) that lie inside the file.
bool looksLikeStandardMidiFile(std::string_view bytes);

}  // namespace tavro
