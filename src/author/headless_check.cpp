#include "author/headless_check.h"

#include "host/audio/mixer.h"
#include "host/headless/headless_compositor.h"
#include "text/shift_jis.h"

namespace tavro {

GameCheckReport checkGameTelling(FileSystem& gameFolder, std::FILE* out) {
    HeadlessCompositor compositor;
    Mixer mixer;
    GameCheckReport report = checkGame(gameFolder, compositor, mixer);
    for (const CheckProblem& problem : report.problems) {
        std::fprintf(out, "%s\n", shiftJisToUtf8(problem.format()).c_str());
    }
    return report;
}

}  // namespace tavro
