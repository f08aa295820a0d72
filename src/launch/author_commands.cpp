#include "launch/author_commands.h"

#include <cstdio>

#include "author/new_game.h"
#include "host/audio/mixer.h"
#include "host/headless/headless_compositor.h"
#include "shell/command_line.h"
#include "shell/game_check.h"
#include "text/shift_jis.h"

namespace tavro {

int checkGameFolder(FileSystem& gameFolder) {
    HeadlessCompositor compositor;
    Mixer mixer;
    const GameCheckReport report = checkGame(gameFolder, compositor, mixer);
    for (const CheckProblem& problem : report.problems) {
        std::printf("%s\n", shiftJisToUtf8(problem.format()).c_str());
    }
    std::printf("%s\n", report.summary().c_str());
    return report.clean() ? kExitNormal : kExitCheckFoundProblems;
}

int newGame(const std::string& directory) {
    if (std::string error; !makeNewGame(directory, error)) {
        std::fprintf(stderr, "tavro: %s\n", error.c_str());
        return kExitStartupFailed;
    }
    std::printf(
        "made a new game in %s: play it with 'tavro %s', check it with 'tavro --check "
        "%s', and read docs/authoring.md to go on\n",
        directory.c_str(), directory.c_str(), directory.c_str());
    return kExitNormal;
}

}  // namespace tavro
