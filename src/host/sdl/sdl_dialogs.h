// Message boxes through SDL, without an owner window. Where SDL cannot show one (no display),
// the text goes to standard error and a question is answered yes, which stops the program.
#pragma once

#include "host/dialogs.h"

namespace tavro {

// Shows a message box with UTF-8 texts where a desktop is present (DISPLAY or
// WAYLAND_DISPLAY is set); false when none was shown.
bool ShowDesktopMessage(const char* title, const char* text);

class SdlDialogs : public Dialogs {
  public:
    void showMessage(const char* caption, const char* text) override;
    bool askYesNo(const char* caption, const char* text) override;
};

}  // namespace tavro
