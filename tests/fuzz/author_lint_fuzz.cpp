// Fuzz target: the author's check judges any text as a script, task, settings or animation
// file without a crash or a read out of bounds, and every problem it reports has a line within
// the text: unclosed texts and blocks, stray braces, lone lead bytes and trail bytes that look
// like braces included.
//
// Build and run for ten minutes from the repository root: scripts/fuzz author_lint
// The first byte chooses the kind of file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "shell/key_value_lint.h"
#include "shell/script_lint.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavro;
    if (size == 0) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<CheckProblem> problems;
    switch (data[0] % 4) {
        case 0:
            problems = lintScript("f", text).problems;
            break;
        case 1:
            problems = lintTaskFile("f", text).problems;
            break;
        case 2:
            problems = lintSettingsFile("f", text);
            break;
        default:
            problems = lintAnimationFile("f", text);
            break;
    }
    for (CheckProblem& problem : lintEncoding("f", text)) {
        problems.push_back(problem);
    }
    int32_t lines = 1;
    for (char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    for (const CheckProblem& problem : problems) {
        if (problem.line < 1 || problem.line > lines) {
            std::abort();
        }
    }
    return 0;
}
