#include "text/error_echo.h"

#include <cinttypes>

#include "text/shift_jis.h"

namespace tavro {

void ErrorEcho::echo(std::string_view text, std::string_view subject) {
    const std::string place = place_ ? place_() : "";
    std::string line = (place.empty() ? "tavro" : place) + ": error: " + shiftJisToUtf8(text);
    if (!subject.empty()) {
        line += ": " + shiftJisToUtf8(subject);
    }
    uint64_t& count = counts_[line];
    if (count++ == 0) {
        order_.push_back(line);
        std::fprintf(output_, "%s\n", line.c_str());
        std::fflush(output_);
    }
}

void ErrorEcho::finish() {
    for (const std::string& line : order_) {
        if (const uint64_t count = counts_[line]; count > 1) {
            std::fprintf(output_, "%s \xE2\x80\xA6 repeated %" PRIu64 " times\n", line.c_str(),
                         count);
        }
    }
    std::fflush(output_);
    counts_.clear();
    order_.clear();
}

}  // namespace tavro
