// The one-line form of a message box for a terminal: "[caption] text" in UTF-8.
#pragma once

#include <string>

namespace tavro {

// Caption and text are Shift-JIS; null counts as empty.
std::string dialogLine(const char* caption, const char* text);

}  // namespace tavro
