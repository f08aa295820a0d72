// One problem a check of a game found: the file, the line, how grave it is, and what it is.
// Printed as "FILE:LINE: error: TEXT" (or "warning"), "FILE: error: TEXT" when there is no
// line to name (a file that is missing altogether).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

enum class ProblemSeverity { kError, kWarning };

struct CheckProblem {
    std::string file;  // the game's name of the file (Shift-JIS bytes)
    int32_t line = 0;  // counted from 1; 0: no line
    ProblemSeverity severity = ProblemSeverity::kError;
    std::string text;

    std::string format() const;
};

// A name or text as a problem quotes it: in double quotes.
std::string quoted(std::string_view text);

// Sorts by file, then line, keeping the order of problems found at one line.
void sortProblems(std::vector<CheckProblem>& problems);

}  // namespace tavro
