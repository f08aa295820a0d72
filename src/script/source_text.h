// Where the texts of task and script files come from, and the whitespace rule every parsed
// text file follows.
#pragma once

#include "text/text_string.h"

namespace tavro {

// Reads the game's file (a name ending in ".xx" is unscrambled with the default key).
// False when it cannot be read; the file access has logged why.
bool fetchSourceText(const TextString& fileName, TextString& text);

// Removes every space, tab, line feed and carriage return.
void removeWhitespace(TextString& text);

}  // namespace tavro
