#include "script/task_loader.h"

#include <string>
#include <vector>

#include "host/file_system.h"
#include "script/halt.h"
#include "script/name_id_table.h"
#include "script/script_table.h"
#include "script/source_text.h"
#include "script/task_table.h"
#include "script/variables.h"
#include "text/error_report.h"
#include "text/named_text_table.h"
#include "text/text_numbers.h"

namespace tavro {

namespace {

// Task files naming child tasks, which name their own, are read recursively; a chain of
// distinct files deeper than this is cut off so the stack cannot overflow.
constexpr int32_t kMaxTaskNesting = 256;
// Folders below the scanned one; deeper ones (or a loop of folder links) are not walked.
constexpr int32_t kMaxScanDepth = 64;

constexpr const char* kTaskNestingMessage = "task files nested too deeply: child left empty";

int32_t taskNesting = 0;

class NestingScope {
  public:
    NestingScope() { ++taskNesting; }
    ~NestingScope() { --taskNesting; }
    NestingScope(const NestingScope&) = delete;
    NestingScope& operator=(const NestingScope&) = delete;
};

// The comma-separated fields of a group; missing ones are empty.
std::vector<TextString> groupFields(TextString group, int32_t count) {
    std::vector<TextString> fields(static_cast<size_t>(count));
    for (TextString& field : fields) {
        if (!group.nextToken(",")) {
            break;
        }
        field = group.token();
    }
    return fields;
}

// Calls handle(group text) for each {...} group of a section's value.
template <typename Handle>
void forEachGroup(TextString value, Handle handle) {
    while (value.nextGroup("{", "}")) {
        handle(value.token());
    }
}

void addChildTask(Task& task, const TextString& group) {
    const std::vector<TextString> fields = groupFields(group, 3);
    auto child = std::make_unique<TaskInstance>();
    if (taskNesting < kMaxTaskNesting) {
        NestingScope nested;
        loadTaskInto(*child, fields[0]);
    } else {
        reportError(kTaskNestingMessage, 2);
    }
    TaskInstance* placed = AddChild(task, std::move(child));
    property(*placed, nameId("x")) = textToDouble(fields[1].cStr());
    property(*placed, nameId("y")) = textToDouble(fields[2].cStr());
}

void handleSection(Task& task, const char* name, const TextString& value) {
    const std::string_view section = name != nullptr ? name : "";
    if (section == "TASK") {
        forEachGroup(value, [&](const TextString& group) { addChildTask(task, group); });
    } else if (section == "IMAGE") {
        forEachGroup(value, [&](const TextString& group) {
            const std::vector<TextString> fields = groupFields(group, 2);
            LoadImageRef(task.images[nameId(fields[0].view())], fields[1]);
        });
    } else if (section == "SOUND") {
        forEachGroup(value, [&](const TextString& group) {
            const std::vector<TextString> fields = groupFields(group, 2);
            LoadSoundRef(task.sounds[nameId(fields[0].view())], fields[1]);
        });
    } else if (section == "SCRIPT") {
        forEachGroup(value, [&](const TextString& group) {
            task.frameScripts.push(scriptNumberFor(group));
        });
    } else if (section == "CONSTRACT") {
        forEachGroup(value, [&](const TextString& group) {
            task.constructorScripts.push(scriptNumberFor(group));
        });
    } else {
        property(task, nameId(section)) = textToDouble(value.cStr());
    }
}

// Reads the task file into its template. False when the file cannot be read.
bool readTaskFile(const TextString& taskName) {
    TextString text;
    if (!fetchSourceText(taskName, text)) {
        return false;
    }
    removeWhitespace(text);
    NamedTextTable sections;
    readKeyValueText(text, sections);
    // Marked before the sections are handled: a task naming itself, directly or through
    // others, then finds its template as filled so far instead of reading itself again.
    markTaskLoaded(taskName);
    Task& task = taskTemplate(taskName);
    for (int32_t i = 0; i < sections.count() && !haltRequested(); ++i) {
        handleSection(task, sections.nameAt(i), sections.valueAt(i));
    }
    return true;
}

void scanFolder(const TextString& directory, const TextString& pattern, int32_t depth) {
    // The pattern without its final "*": "" at the top, "sub/" one level down.
    const TextString prefix = pattern.substr(0, pattern.length() - 1);
    const TextString folder = directory + prefix;
    for (const DirectoryEntry& entry : activeFileSystem().listDirectory(folder.view())) {
        if (haltRequested()) {
            return;
        }
        const TextString path = prefix + TextString(entry.name.c_str());
        if (entry.isDirectory) {
            if (entry.name != "." && entry.name != ".." && depth < kMaxScanDepth) {
                scanFolder(directory, path + "/*", depth + 1);
            }
        } else if (entry.name.ends_with(".tsk")) {
            loadTaskInto(rootInstance(), path);
        }
    }
}

}  // namespace

bool loadTaskInto(TaskInstance& instance, const TextString& taskName) {
    if (haltRequested() || taskName.empty()) {
        return false;
    }
    if (!isTaskLoaded(taskName) && !readTaskFile(taskName)) {
        return false;
    }
    return assignFromTemplate(instance, taskTemplate(taskName));
}

void scanTaskFiles(const TextString& directory, const TextString& pattern) {
    scanFolder(directory, pattern, 0);
}

}  // namespace tavro
