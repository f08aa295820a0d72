#include "text/dialog_text.h"

#include "text/shift_jis.h"

namespace tavro {

std::string dialogLine(const char* caption, const char* text) {
    return "[" + shiftJisToUtf8(caption != nullptr ? caption : "") + "] " +
           shiftJisToUtf8(text != nullptr ? text : "");
}

}  // namespace tavro
