// The author's check of a game (tavro --check): reads the game as a run starts it, through the
// engine's own loader, compiler and caches, but opens no window, runs no script and writes
// nothing. It loads "boot" and every task reachable from it (TASK children, and the tasks a
// script names in "new(" and "friend("), then every ".tsk" file below the folder; compiles
// every script they name; reads every animation, image and sound they name. Unlike a run, a
// syntax error does not stop it: every error of every script is reported. Then it judges the
// text of every file it read (game_lint.h). Each problem is reported at its file and line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/audio_output.h"
#include "host/compositor.h"
#include "host/file_system.h"
#include "shell/check_problem.h"

namespace tavro {

// The exit status of a check that found a problem.
inline constexpr int kExitCheckFoundProblems = 1;

struct GameCheckReport {
    // Sorted by file and line; names are the game's own bytes (Shift-JIS).
    std::vector<CheckProblem> problems;
    int32_t syntaxErrors = 0;
    int32_t taskFiles = 0;
    int32_t scripts = 0;
    int32_t animations = 0;

    bool clean() const { return problems.empty(); }
    int32_t count(ProblemSeverity severity) const;
    // "checked 3 task files, 4 scripts and 1 animation: 2 errors, 1 warning".
    std::string summary() const;
};

// Checks the game in `files`, which the check only reads. Images are decoded by `compositor`
// (a back buffer of one pixel is made for it) and sounds loaded into `audio`.
GameCheckReport checkGame(FileSystem& files, Compositor& compositor, AudioOutput& audio);

}  // namespace tavro
