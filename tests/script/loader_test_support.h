// Shared set-up for the loader, compiler and object-tree tests: a fresh engine state over an
// in-memory game folder, with recorded dialogs and every error-log line kept.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "host/audio/mixer.h"
#include "host/dialogs.h"
#include "render/recording_compositor.h"
#include "script/engine_state.h"
#include "script/script_table.h"
#include "script/statement.h"
#include "script/task_instance.h"
#include "support/game_folder.h"

namespace tavro::testing {

class RecordingDialogs : public Dialogs {
  public:
    void showMessage(const char* caption, const char* text) override {
        messages.emplace_back(caption, text);
    }
    bool askYesNo(const char*, const char*) override { return true; }

    std::vector<std::pair<std::string, std::string>> messages;
};

// One run of the engine over its own in-memory game folder, every error-log line kept.
struct GameRun {
    GameRun() { state.log.setReportLevel(kReportEverything); }

    double& variable(TaskInstance& instance, const char* name, int32_t index = 0) {
        return instance.variables[state.names.idFor(name)][index];
    }
    double& systemValue(const char* name) { return state.systemVariable(state.names.idFor(name)); }
    std::vector<std::string> reports() const { return loggedTexts(folder); }

    // One variable of every child of parent, in child order.
    std::vector<double> childValues(const TaskInstance& parent, const char* name) {
        std::vector<double> values;
        for (TaskInstance* child = parent.children.first(); child != nullptr;
             child = ChildList::after(*child)) {
            values.push_back(child->variables[state.names.idFor(name)][0]);
        }
        return values;
    }

    GameFolder folder;
    RecordingDialogs dialogs;
    RecordingCompositor compositor;
    Mixer mixer{64};
    EngineState state{folder, &dialogs, compositor, &mixer};
    TaskInstance& root = state.objects.root();
};

class LoaderFixture : public ::testing::Test, public GameRun {};

// The codes of a chain, the closing empty statement included.
inline std::vector<uint32_t> chainCodes(const Statement* statement) {
    std::vector<uint32_t> codes;
    for (; statement != nullptr; statement = statement->next.get()) {
        codes.push_back(statement->code);
    }
    return codes;
}

}  // namespace tavro::testing
