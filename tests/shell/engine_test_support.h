// An engine run inside a fresh temporary game folder with the headless host, a virtual
// clock and a stand-in for the script engine whose frame pass runs a test's hook.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "host/audio/mixer.h"
#include "host/files/game_folder_file_system.h"
#include "host/headless/headless_compositor.h"
#include "host/headless/headless_dialogs.h"
#include "host/headless/headless_display.h"
#include "host/headless/headless_font_renderer.h"
#include "host/headless/virtual_clock.h"
#include "host/recorded_input/input_script.h"
#include "shell/engine.h"
#include "support/temporary_folder.h"

namespace tavro {

class RecordingScripts : public GameScripts {
  public:
    void scanTaskFiles(EngineState&) override { calls.push_back("scan"); }
    bool loadRoot(EngineState&, TaskInstance&, const TextString& taskName) override {
        calls.push_back(std::string("load ") + taskName.cStr());
        return bootLoads;
    }
    void startRoot(EngineState&, TaskInstance&) override { calls.push_back("start"); }
    void runFramePass(EngineState& state, TaskInstance&) override {
        if (++passes; onFrame) {
            onFrame(state, passes);
        }
    }

    bool bootLoads = true;
    int passes = 0;
    std::vector<std::string> calls;
    std::function<void(EngineState&, int)> onFrame;
};

// Element 0 of a system variable of the run by name.
inline double& systemValue(EngineState& state, const char* name) {
    return state.systemVariable(state.names.idFor(name));
}

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::current_path(folder_.path()); }
    void TearDown() override { std::filesystem::current_path(previousDirectory_); }

    // A fresh engine; the input script uses the headless host's format.
    Engine& makeEngine(const std::string& input = "", EngineOptions options = {}) {
        InputScriptParse parse = parseInputScript(input, "input");
        EXPECT_TRUE(parse.ok) << parse.error;
        engine_.reset();
        display_ = std::make_unique<HeadlessDisplay>(ScriptedInput(parse.events));
        engine_ = std::make_unique<Engine>(host(*display_), scripts_, options);
        return *engine_;
    }
    HostServices host(Display& display) {
        return {clock_, display, dialogs_, files_, compositor_, &mixer_, nullptr, &fonts_};
    }
    int run(const std::string& input = "", EngineOptions options = {}) {
        return makeEngine(input, options).run();
    }
    // A system variable of the last engine's run.
    double systemValue(const char* name) { return tavro::systemValue(engine_->state(), name); }
    std::string dialogText() {
        std::fflush(dialogOutput_.get());
        return folder_.readFile("dialogs.txt");
    }

    TemporaryFolder folder_;
    std::filesystem::path previousDirectory_ = std::filesystem::current_path();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> dialogOutput_{
        std::fopen(folder_.at("dialogs.txt").c_str(), "w"), std::fclose};
    HeadlessDialogs dialogs_{true, dialogOutput_.get()};
    VirtualClock clock_;
    Mixer mixer_{64};
    GameFolderFileSystem files_{""};  // the current directory: the test's folder
    HeadlessCompositor compositor_;
    HeadlessFontRenderer fonts_;
    RecordingScripts scripts_;
    std::unique_ptr<HeadlessDisplay> display_;
    std::unique_ptr<Engine> engine_;
};

}  // namespace tavro
