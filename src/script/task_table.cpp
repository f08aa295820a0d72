#include "script/task_table.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace tavro {

namespace {

struct TaskTable {
    // Templates on the heap: a reference stays valid while loading adds more.
    std::unordered_map<std::string, std::unique_ptr<Task>> templates;
    std::unordered_set<std::string> loaded;
};

TaskTable& table() {
    static TaskTable tasks;
    return tasks;
}

}  // namespace

Task& taskTemplate(const TextString& name) {
    std::unique_ptr<Task>& slot = table().templates[std::string(name.view())];
    if (!slot) {
        slot = std::make_unique<Task>();
    }
    return *slot;
}

bool isTaskLoaded(const TextString& name) {
    return table().loaded.contains(std::string(name.view()));
}

void markTaskLoaded(const TextString& name) {
    table().loaded.emplace(name.view());
}

void resetTaskTable() {
    table() = TaskTable();
}

}  // namespace tavro
