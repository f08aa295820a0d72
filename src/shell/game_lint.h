// The author's check of a game's text files, beyond what loading them finds: every task file
// and script the check read, the animation files the tasks name and the settings file "init"
// are judged line by line (see script_lint.h and key_value_lint.h), and the images and sounds
// each script names are looked up in the tasks that run it.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "host/file_system.h"
#include "shell/check_problem.h"

namespace tavro {

std::vector<CheckProblem> lintGameFiles(FileSystem& files, const std::set<std::string>& tasks,
                                        const std::set<std::string>& scripts);

}  // namespace tavro
