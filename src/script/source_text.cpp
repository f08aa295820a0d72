#include "script/source_text.h"

#include "text/scrambled_file.h"

namespace tavro {

bool fetchSourceText(const TextString& fileName, TextString& text) {
    text = "";
    return ScrambledFile(fileName.cStr()).readAll(text);
}

void removeWhitespace(TextString& text) {
    for (const char* blank : {" ", "\t", "\n", "\r"}) {
        text.replaceAll(blank, "");
    }
}

}  // namespace tavro
