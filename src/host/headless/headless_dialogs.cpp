#include "host/headless/headless_dialogs.h"

#include <string>

#include "text/dialog_text.h"

namespace tavro {

HeadlessDialogs::HeadlessDialogs(bool answerYes, std::FILE* output)
    : answerYes_(answerYes), output_(output) {}

void HeadlessDialogs::print(const char* caption, const char* text, const char* suffix) {
    std::string line = dialogLine(caption, text) + suffix + "\n";
    std::fputs(line.c_str(), output_);
    std::fflush(output_);
}

void HeadlessDialogs::showMessage(const char* caption, const char* text) {
    print(caption, text, "");
}

bool HeadlessDialogs::askYesNo(const char* caption, const char* text) {
    print(caption, text, answerYes_ ? " [yes/no] yes" : " [yes/no] no");
    return answerYes_;
}

}  // namespace tavro
