#include "host/sdl/sdl_dialogs.h"

#include <cstdio>

#include "host/sdl/sdl_message_box.h"
#include "text/dialog_text.h"
#include "text/english_messages.h"
#include "text/shift_jis.h"

namespace tavro {

namespace {

void printLine(const char* caption, const char* text, const char* suffix) {
    std::fprintf(stderr, "%s%s\n", dialogLine(caption, text).c_str(), suffix);
    std::fflush(stderr);
}

}  // namespace

bool ShowDesktopMessage(const char* title, const char* text) {
    std::string shiftJis;
    utf8ToShiftJis(text != nullptr ? text : "", shiftJis);
    TtfFontRenderer fonts;
    return RunMessageBox(fonts, title, MessageBoxContent{{shiftJis}, {"OK"}}) >= 0;
}

MessageBoxContent DialogBoxContent(const char* text, bool question) {
    MessageBoxContent content{{text != nullptr ? text : ""}, {}};
    if (const char* english = englishMessageFor(content.paragraphs[0]); english != nullptr) {
        content.paragraphs.emplace_back(english);
    }
    content.buttons =
        question ? std::vector<std::string>{"Yes", "No"} : std::vector<std::string>{"OK"};
    return content;
}

int32_t SdlDialogs::show(const char* caption, const char* text, bool question) {
    const MessageBoxContent content = DialogBoxContent(text, question);
    for (const std::string& paragraph : content.paragraphs) {
        printLine(caption, paragraph.c_str(), "");
    }
    if (fonts_ == nullptr) {
        fonts_ = std::make_unique<TtfFontRenderer>();
    }
    return RunMessageBox(*fonts_, shiftJisToUtf8(caption != nullptr ? caption : "").c_str(),
                         content);
}

void SdlDialogs::showMessage(const char* caption, const char* text) {
    show(caption, text, false);
}

bool SdlDialogs::askYesNo(const char* caption, const char* text) {
    const int32_t chosen = show(caption, text, true);
    printLine(caption, "",
              chosen < 0    ? "[yes/no] yes (no box could be shown)"
              : chosen == 0 ? "[yes/no] yes"
                            : "[yes/no] no");
    return chosen <= 0;
}

}  // namespace tavro
