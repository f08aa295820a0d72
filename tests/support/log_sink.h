// An error sink that keeps every report with its severity.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "text/error_report.h"

namespace tavro::testing {

using Reports = std::vector<std::pair<std::string, Severity>>;

class RecordingSink : public ErrorSink {
  public:
    void record(const char* text, Severity severity) override {
        reports.emplace_back(text, severity);
    }

    Reports reports;
};

}  // namespace tavro::testing
