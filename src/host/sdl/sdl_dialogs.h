// Message boxes on a desktop, drawn by Tavro (see sdl_message_box.h): the engine's Japanese
// text and, below it, Tavro's English line for it. Every box's texts also go to standard
// error, in UTF-8. Where no box can be shown (no desktop), a question is answered yes, which
// stops the program.
#pragma once

#include <memory>
#include <string>

#include "host/dialogs.h"
#include "host/fonts/ttf_font_renderer.h"
#include "host/sdl/message_box_picture.h"

namespace tavro {

// What the box of an engine message shows: the Shift-JIS text, Tavro's English line for it
// when there is one, and OK, or Yes and No for a question.
MessageBoxContent DialogBoxContent(const char* text, bool question);

// Shows a box with a UTF-8 note on a desktop; false when none was shown.
bool ShowDesktopMessage(const char* title, const char* text);

class SdlDialogs : public Dialogs {
  public:
    void showMessage(const char* caption, const char* text) override;
    bool askYesNo(const char* caption, const char* text) override;

  private:
    // The chosen button's index, -1 when no box was shown.
    int32_t show(const char* caption, const char* text, bool question);

    std::unique_ptr<TtfFontRenderer> fonts_;  // opened with the first box
};

}  // namespace tavro
