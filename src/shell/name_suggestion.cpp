#include "shell/name_suggestion.h"
#include "text/ascii_case.h"

#include <algorithm>
#include <vector>

namespace tavro {

int editDistance(std::string_view a, std::string_view b) {
    // Three rows of the optimal-string-alignment table.
    std::vector<int> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) {
        previous[j] = static_cast<int>(j);
    }
    for (size_t i = 1; i <= a.size(); ++i) {
        current[0] = static_cast<int>(i);
        for (size_t j = 1; j <= b.size(); ++j) {
            const int replace = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, replace});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                current[j] = std::min(current[j], before[j - 2] + 1);
            }
        }
        before.swap(previous);
        previous.swap(current);
    }
    return previous[b.size()];
}

std::string_view closestName(std::string_view word, std::span<const std::string_view> candidates,
                             int maxEdits) {
    for (std::string_view candidate : candidates) {
        if (equalIgnoringAsciiCase(word, candidate)) {
            return candidate;
        }
    }
    // A short word is near only a word one edit away.
    maxEdits = std::min(maxEdits, std::max(1, static_cast<int>(word.size()) / 3));
    std::string_view best;
    int bestEdits = maxEdits + 1;
    for (std::string_view candidate : candidates) {
        const int edits = editDistance(word, candidate);
        if (edits < bestEdits) {
            best = candidate;
            bestEdits = edits;
        }
    }
    return best;
}

}  // namespace tavro
