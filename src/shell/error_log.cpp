#include "shell/error_log.h"

#include <cinttypes>
#include <cstdio>

namespace tavro {

ErrorLog::ErrorLog(const char* path) : file_(path) {}

ErrorLog::~ErrorLog() {
    ErrorSink* previous = setErrorSink(nullptr);
    if (previous != this) {
        setErrorSink(previous);
    }
}

void ErrorLog::install() {
    setErrorSink(this);
}

bool ErrorLog::passes(uint32_t severity) const {
    return level_ < kReportNothing && severity >= kReportEverything - level_;
}

void ErrorLog::record(const char* text, uint32_t severity) {
    if (writing_ || !passes(severity)) {
        return;
    }
    writing_ = true;
    if (calls_ == 0) {
        file_.truncate();
    }
    const uint64_t n = calls_++;
    if (n <= lineLimit_) {
        // Numbers below 100 are padded to three digits: 001, 010, 100, 1000.
        char number[24];
        std::snprintf(number, sizeof number, "%03" PRIu64, n + 1);
        TextString line(number);
        line += " : ";
        line += text;
        line += "\n";
        file_.appendText(line);
    }
    writing_ = false;
}

ErrorLog& errorLog() {
    static ErrorLog* log = [] {
        static ErrorLog instance;
        instance.install();
        return &instance;
    }();
    return *log;
}

}  // namespace tavro
