// An engine run inside a fresh temporary game folder with the headless host, a virtual
// clock and a stand-in for the script engine whose frame pass runs a test's hook.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "host/headless/headless_dialogs.h"
#include "host/headless/headless_display.h"
#include "host/headless/virtual_clock.h"
#include "host/input_script.h"
#include "host/temporary_folder.h"
#include "shell/engine.h"

namespace tavro {

class RecordingScripts : public GameScripts {
  public:
    void scanTaskFiles() override { calls.push_back("scan"); }
    bool loadRoot(TaskInstance&, const TextString& taskName) override {
        calls.push_back(std::string("load ") + taskName.cStr());
        return bootLoads;
    }
    void startRoot(TaskInstance&) override { calls.push_back("start"); }
    void runFramePass(TaskInstance& root) override {
        if (++passes; onFrame) {
            onFrame(root, passes);
        }
    }

    bool bootLoads = true;
    int passes = 0;
    std::vector<std::string> calls;
    std::function<void(TaskInstance&, int)> onFrame;
};

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
        engine_ =
            std::make_unique<Engine>(HostServices{clock_, *display_, dialogs_}, scripts_, options);
        return *engine_;
    }
    int run(const std::string& input = "", EngineOptions options = {}) {
        return makeEngine(input, options).run();
    }
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
    RecordingScripts scripts_;
    std::unique_ptr<HeadlessDisplay> display_;
    std::unique_ptr<Engine> engine_;
};

// Element 0 of a system variable by name.
double systemValue(const char* name);

}  // namespace tavro
