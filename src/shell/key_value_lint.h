// The author's check of the key-value files: task files, the settings file "init" and
// animation files. Each entry is judged at the line it starts on: a ";" missing at a line's
// end (the next entry is swallowed and lost), a misspelt section or setting, a value that is
// no number, a switch that is not exactly "true", groups that name no file ...
// Also the check common to every text file: UTF-8 text where Shift-JIS is read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/check_problem.h"

namespace tavro {

// What a task file declares, as the loader takes it (a section given twice: the last value).
struct TaskSections {
    std::vector<std::string> images;      // names in IMAGE
    std::vector<std::string> imageFiles;  // files in IMAGE (images and animation files)
    std::vector<std::string> sounds;      // names in SOUND
    std::vector<std::string> scripts;     // files in SCRIPT and CONSTRACT
};

struct TaskLint {
    std::vector<CheckProblem> problems;
    TaskSections sections;
};

TaskLint lintTaskFile(const std::string& file, std::string_view raw);
std::vector<CheckProblem> lintSettingsFile(const std::string& file, std::string_view raw);
std::vector<CheckProblem> lintAnimationFile(const std::string& file, std::string_view raw);

// A text file that is valid UTF-8 with characters beyond ASCII, which the engine (reading
// Shift-JIS) would garble: one error at the first such line, saying how to convert it.
std::vector<CheckProblem> lintEncoding(const std::string& file, std::string_view raw);

}  // namespace tavro
