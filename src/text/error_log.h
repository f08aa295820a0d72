// ErrorLog: the engine's numbered diagnostic log, "errorLog.txt". A report level filters the
// lines by severity; the first line that passes in a run empties the previous run's log, and
// every line is appended with its own open and close, so the file is complete after each one.
#pragma once

#include <cstdint>

#include "text/error_echo.h"
#include "text/error_report.h"
#include "text/scrambled_file.h"

namespace tavro {

inline constexpr const char* kErrorLogFileName = "errorLog.txt";
inline constexpr uint32_t kReportNothing = 3;
inline constexpr uint32_t kReportEverything = 2;
inline constexpr uint32_t kMaxLineLimit = 100000;
// The record a run's log starts with; it reports nothing wrong.
inline constexpr const char* kLogStartRecord = "log start";

class ErrorLog : public ErrorSink {
  public:
    // The log's own file reports nowhere: a failure to write a line is never logged.
    explicit ErrorLog(FileSystem& files, const char* path = kErrorLogFileName);
    ErrorLog(const ErrorLog&) = delete;
    ErrorLog& operator=(const ErrorLog&) = delete;

    // The report level, a number of its own: 0 keeps errors, 1 notices and errors, 2
    // everything, 3 (or more) nothing.
    void setReportLevel(uint32_t level) {
        level_ = level < kReportNothing ? level : kReportNothing;
    }
    // Highest call number after which lines are dropped; at most 100000.
    void setLineLimit(uint32_t limit) {
        lineLimit_ = limit < kMaxLineLimit ? limit : kMaxLineLimit;
    }
    uint32_t reportLevel() const { return level_; }
    uint32_t lineLimit() const { return lineLimit_; }
    // Calls that passed the filter so far in this run.
    uint64_t callCount() const { return calls_; }

    // Adds "NNN : text\n" when the severity passes the filter.
    void record(const char* text, Severity severity) override;
    void recordAbout(const char* text, Severity severity, std::string_view subject) override;
    // Where records of severity 2 are told as well, whatever the filter; none by default.
    void setEcho(ErrorEcho* echo) { echo_ = echo; }

  private:
    bool passes(Severity severity) const;

    ScrambledFile file_;
    uint32_t level_ = kReportNothing;
    uint32_t lineLimit_ = kMaxLineLimit;
    uint64_t calls_ = 0;
    ErrorEcho* echo_ = nullptr;
};

}  // namespace tavro
