// The engine's one diagnostic channel as the text layer sees it.
// The shell's error log installs itself as the sink; with no sink, reports are dropped.
#pragma once

#include <cstdint>

namespace tavro {

class ErrorSink {
  public:
    virtual ~ErrorSink() = default;
    virtual void record(const char* text, uint32_t severity) = 0;
};

// Installs the sink that receives every report (null removes it). Returns the previous sink.
ErrorSink* setErrorSink(ErrorSink* sink);

// Sends one report to the installed sink, if any.
void reportError(const char* text, uint32_t severity);

}  // namespace tavro
