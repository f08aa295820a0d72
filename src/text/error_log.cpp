#include "text/error_log.h"

#include <cinttypes>
#include <cstdio>

namespace tavro {

ErrorLog::ErrorLog(FileSystem& files, const char* path) : file_(files, nullptr, path) {}

bool ErrorLog::passes(Severity severity) const {
    return level_ < kReportNothing && static_cast<uint32_t>(severity) >= kReportEverything - level_;
}

void ErrorLog::record(const char* text, Severity severity) {
    recordAbout(text, severity, {});
}

void ErrorLog::recordAbout(const char* text, Severity severity, std::string_view subject) {
    if (echo_ != nullptr && severity == Severity::kError &&
        std::string_view(text) != kLogStartRecord) {
        echo_->echo(text, subject);
    }
    if (!passes(severity)) {
        return;
    }
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
}

}  // namespace tavro
