#include "author/watch_session.h"

#include <cstdio>
#include <string>
#include <vector>

#include "author/error_overlay.h"
#include "author/watched_display.h"
#include "author/watched_files.h"
#include "host/audio/mixer.h"
#include "host/headless/headless_compositor.h"
#include "shell/game_check.h"
#include "text/shift_jis.h"

namespace tavro {

namespace {

constexpr const char* kEndedNote =
    "the game ended: save a change to start it again (F4 or closing the window ends)";

// Checks the game as --check does, through a folder that notes what it reads, and keeps the
// errors on standard error and in the overlay until a check finds none.
class GameWatch {
  public:
    GameWatch(FileSystem& files, ErrorOverlay& overlay) : files_(files), overlay_(overlay) {}

    // True when the game has no error now; watches the files the check read.
    bool check() {
        NotingFolder noting(files_);
        HeadlessCompositor compositor;
        Mixer mixer;
        const GameCheckReport report = checkGame(noting, compositor, mixer);
        watched_.watch(noting);
        std::vector<std::string> errors;
        for (const CheckProblem& problem : report.problems) {
            std::fprintf(stderr, "%s\n", shiftJisToUtf8(problem.format()).c_str());
            if (problem.severity == ProblemSeverity::kError) {
                errors.push_back(problem.format());
            }
        }
        if (!errors.empty()) {
            std::fprintf(stderr, "tavro: %zu error%s; %s\n", errors.size(),
                         errors.size() == 1 ? "" : "s",
                         running_ ? "the game goes on as it was until a change fixes them"
                                  : "the game starts when a change fixes them");
        }
        overlay_.show(std::move(errors));
        return !overlay_.showing();
    }

    // True when a file changed and the game now checks without error.
    bool goodChange() { return watched_.changed() && check(); }

    void setRunning(bool running) { running_ = running; }

  private:
    FileSystem& files_;
    ErrorOverlay& overlay_;
    WatchedFiles watched_{""};
    bool running_ = false;
};

// The window between runs: the overlay on a black frame, the events pumped, until a good
// change (true) or the player's end (false).
bool waitForGoodChange(WatchedDisplay& display, ErrorOverlay& overlay, Clock& clock,
                       bool windowOpen) {
    const bool drawn = windowOpen && overlay.width() > 0 &&
                       overlay.createBackBuffer(overlay.width(), overlay.height());
    struct Ignored : WindowEventHandler {
        void keyDown(int32_t) override {}
        void keyUp(int32_t) override {}
        void activated(bool) override {}
        void closeRequested() override {}
        void movedOrResized() override {}
    } ignored;
    bool good = false;
    while (!good && !display.playerEnded()) {
        if (!overlay.showing()) {
            overlay.show({kEndedNote});
        }
        if (drawn) {
            overlay.clear(0xFF000000);
            overlay.present();
        }
        good = !display.pumpEvents(ignored) && display.restartRequested();
        clock.sleep(kWatchInterval / 4);
    }
    if (drawn) {
        overlay.releaseBackBuffer();
    }
    overlay.show({});
    return good;
}

}  // namespace

int runWatchedGame(const HostServices& host, const EngineOptions& options) {
    ErrorOverlay overlay(host.compositor, host.fonts);
    GameWatch watch(host.files, overlay);
    WatchedDisplay display(host.display, host.clock, [&watch] { return watch.goodChange(); });
    const HostServices watched{host.clock, display,    host.dialogs, host.files,
                               overlay,    host.audio, host.music,   host.fonts};
    int status = kExitNormal;
    if (!watch.check() && !waitForGoodChange(display, overlay, host.clock, false)) {
        return status;
    }
    for (;;) {
        display.beginRun();
        watch.setRunning(true);
        ScriptEngineGameScripts scripts;
        Engine engine(watched, scripts, options);
        status = engine.run();
        watch.setRunning(false);
        const bool limitReached =
            options.frameLimit != 0 && engine.framesRun() >= options.frameLimit;
        if (display.playerEnded() || limitReached) {
            break;
        }
        if (!display.restartRequested() && !waitForGoodChange(display, overlay, host.clock, true)) {
            break;
        }
        std::fprintf(stderr, "tavro: a file changed; the game starts again\n");
    }
    display.closeWindow();
    return status;
}

}  // namespace tavro
