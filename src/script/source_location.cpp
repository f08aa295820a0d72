#include "script/source_location.h"

#include <algorithm>

namespace tavro {

namespace {

bool isBlank(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r';
}

}  // namespace

PreparedTextLines::PreparedTextLines(std::string_view written, std::string_view prepared) {
    // The prepared text is the written text's non-blank bytes in order with only ";" inserted,
    // so walking both at once pairs every prepared byte with the written byte it comes from.
    size_t w = 0;
    for (size_t p = 0; p < prepared.size(); ++p) {
        size_t next = w;
        while (next < written.size() && isBlank(written[next])) {
            ++next;
        }
        if (next >= written.size() || written[next] != prepared[p]) {
            continue;  // an inserted ";"
        }
        for (; w < next; ++w) {
            if (written[w] == '\n') {
                lineStarts_.push_back(static_cast<int32_t>(p));
            }
        }
        w = next + 1;
    }
}

int32_t PreparedTextLines::lineAt(int32_t preparedOffset) const {
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), preparedOffset);
    return static_cast<int32_t>(after - lineStarts_.begin()) + 1;
}

}  // namespace tavro
