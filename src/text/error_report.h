// ErrorSink: where the engine's diagnostics go, as the layers below the error log see it. Code
// that can fail is handed the sink of its run; a null sink drops the reports.
#pragma once

#include <cstdint>
#include <string_view>

namespace tavro {

// How serious a report is; the log's report level decides which ones it keeps.
enum class Severity : uint32_t {
    kMinor = 0,
    kNotice = 1,
    kError = 2,
};

class ErrorSink {
  public:
    virtual ~ErrorSink() = default;
    virtual void record(const char* text, Severity severity) = 0;
    // A record about one thing, a file most often: the subject is not part of the record's
    // text, but whoever shows it to a person may name it.
    virtual void recordAbout(const char* text, Severity severity, std::string_view /*subject*/) {
        record(text, severity);
    }
};

// Sends one report to the sink, if there is one.
inline void reportTo(ErrorSink* sink, const char* text, Severity severity) {
    if (sink != nullptr) {
        sink->record(text, severity);
    }
}

}  // namespace tavro
