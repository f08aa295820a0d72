// Headless message boxes: the caption and text go to a stream (standard error by default) as
// UTF-8, and every yes/no question gets the answer chosen on the command line.
#pragma once

#include <cstdio>

#include "host/dialogs.h"

namespace tavro {

class HeadlessDialogs : public Dialogs {
  public:
    explicit HeadlessDialogs(bool answerYes, std::FILE* output = stderr);

    void showMessage(const char* caption, const char* text) override;
    bool askYesNo(const char* caption, const char* text) override;

  private:
    void print(const char* caption, const char* text, const char* suffix);

    bool answerYes_;
    std::FILE* output_;
};

}  // namespace tavro
