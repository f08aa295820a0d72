#include "shell/check_problem.h"

#include <algorithm>

namespace tavro {

std::string CheckProblem::format() const {
    std::string out = file;
    if (line > 0) {
        out += ":" + std::to_string(line);
    }
    out += severity == ProblemSeverity::kError ? ": error: " : ": warning: ";
    return out + text;
}

void sortProblems(std::vector<CheckProblem>& problems) {
    std::stable_sort(problems.begin(), problems.end(), [](const auto& a, const auto& b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

}  // namespace tavro
