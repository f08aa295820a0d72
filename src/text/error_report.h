// ErrorSink: where the engine's diagnostics go, as the layers below the error log see it. Code
// that can fail is handed the sink of its run; a null sink drops the reports.
#pragma once

#include <cstdint>

namespace tavro {

class ErrorSink {
  public:
    virtual ~ErrorSink() = default;
    virtual void record(const char* text, uint32_t severity) = 0;
};

// Sends one report to the sink, if there is one.
inline void reportTo(ErrorSink* sink, const char* text, uint32_t severity) {
    if (sink != nullptr) {
        sink->record(text, severity);
    }
}

}  // namespace tavro
