// FluidSynth writes its own messages to standard error, and so does the GLib logging of the
// library it loads soundfonts with. While a capture lives they are kept or dropped instead,
// so that Tavro can say what matters in its own line; once it is gone FluidSynth's are dropped
// for the rest of the run.
#pragma once

#include <string>

namespace tavro {

class FluidLogCapture {
  public:
    FluidLogCapture();
    ~FluidLogCapture();
    FluidLogCapture(const FluidLogCapture&) = delete;
    FluidLogCapture& operator=(const FluidLogCapture&) = delete;

    // The first error FluidSynth reported while the capture lived, the most particular one;
    // empty when none.
    const std::string& firstError() const { return firstError_; }

  private:
    static void keep(int level, const char* message, void* capture);

    std::string firstError_;
    void (*glibDefault_)() = nullptr;  // GLib's handler before the capture, when GLib is there
};

}  // namespace tavro
