// Message boxes. Caption and text are Shift-JIS; the host converts them for display.
#pragma once

namespace tavro {

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual void showMessage(const char* caption, const char* text) = 0;
    // True for Yes.
    virtual bool askYesNo(const char* caption, const char* text) = 0;
};

}  // namespace tavro
