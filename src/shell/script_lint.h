// The author's check of one script file: mistakes the engine accepts without a word but that
// make a game misbehave (a misspelt command, a stray "}", a comment that swallows the next
// statement, an unknown key name, an else that never runs ...), each at its line. Also
// gathers what the game-wide checks need: the images and sounds the script names and the
// scripts it calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shell/check_problem.h"

namespace tavro {

struct MediaNameUse {
    std::string name;
    bool sound = false;  // a sound name; otherwise an image name
    int32_t line = 0;
};

struct ScriptCall {
    std::string script;
    bool inBatch = false;  // made inside a batch block, for other objects
};

struct ScriptLint {
    std::vector<CheckProblem> problems;
    // The current object's images and sounds the script names (not inside batch blocks,
    // where the current object is another one).
    std::vector<MediaNameUse> mediaNames;
    std::vector<ScriptCall> calls;
};

ScriptLint lintScript(const std::string& file, std::string_view raw);

}  // namespace tavro
