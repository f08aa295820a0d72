#include "script/task_loader.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "script/engine_state.h"
#include "text/named_text_table.h"
#include "text/text_numbers.h"

namespace tavro {

namespace {

// Task files naming child tasks, which name their own, are read recursively; a chain of
// distinct files deeper than this is cut off so the stack cannot overflow.
constexpr int32_t kMaxTaskNesting = 256;
// Folders below the scanned one; deeper ones are not walked (a bound for file systems that
// cannot tell a loop of folder links).
constexpr int32_t kMaxScanDepth = 64;

constexpr const char* kTaskNestingMessage = "task files nested too deeply: child left empty";

class NestingScope {
  public:
    explicit NestingScope(int32_t& depth) : depth_(depth) { ++depth_; }
    ~NestingScope() { --depth_; }
    NestingScope(const NestingScope&) = delete;
    NestingScope& operator=(const NestingScope&) = delete;

  private:
    int32_t& depth_;
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

void addChildTask(EngineState& state, Task& task, const TextString& group) {
    const std::vector<TextString> fields = groupFields(group, 3);
    std::unique_ptr<TaskInstance> child = state.objects.newInstance();
    if (state.nesting.taskFiles < kMaxTaskNesting) {
        NestingScope nested(state.nesting.taskFiles);
        if (!loadTaskInto(state, *child, fields[0])) {
            reportLoadFailure(state.loadListener, NamedFileKind::kTask, fields[0]);
        }
    } else {
        state.log.record(kTaskNestingMessage, Severity::kError);
    }
    TaskInstance* placed = AddChild(task, std::move(child));
    property(*placed, state.names.idFor("x")) = textToDouble(fields[1].cStr());
    property(*placed, state.names.idFor("y")) = textToDouble(fields[2].cStr());
}

// The number of a script the task names; one that cannot be read is reported.
int32_t scriptFor(EngineState& state, const TextString& fileName) {
    const int32_t number = scriptNumberFor(state, fileName);
    if (number == 0) {
        reportLoadFailure(state.loadListener, NamedFileKind::kScript, fileName);
    }
    return number;
}

void handleSection(EngineState& state, Task& task, const char* name, const TextString& value) {
    NameIdTable& names = state.names;
    const std::string_view section = name != nullptr ? name : "";
    if (section == "TASK") {
        forEachGroup(value, [&](const TextString& group) { addChildTask(state, task, group); });
    } else if (section == "IMAGE") {
        forEachGroup(value, [&](const TextString& group) {
            const std::vector<TextString> fields = groupFields(group, 2);
            if (!LoadImageRef(task.images[names.idFor(fields[0].view())], fields[1], state.textures,
                              state.animations, state.graphics)) {
                reportLoadFailure(state.loadListener, NamedFileKind::kImage, fields[1]);
            }
        });
    } else if (section == "SOUND") {
        forEachGroup(value, [&](const TextString& group) {
            const std::vector<TextString> fields = groupFields(group, 2);
            SoundRef& sound = task.sounds[names.idFor(fields[0].view())];
            if (!sound.load(fields[1], state.soundCache)) {
                reportLoadFailure(state.loadListener, NamedFileKind::kSound, fields[1]);
            }
        });
    } else if (section == "SCRIPT") {
        forEachGroup(value, [&](const TextString& group) {
            task.frameScripts.push(scriptFor(state, group));
        });
    } else if (section == "CONSTRACT") {
        forEachGroup(value, [&](const TextString& group) {
            task.constructorScripts.push(scriptFor(state, group));
        });
    } else {
        property(task, names.idFor(section)) = textToDouble(value.cStr());
    }
}

// Reads the task file into its template. False when the file cannot be read.
bool readTaskFile(EngineState& state, const TextString& taskName) {
    TextString text;
    if (!fetchSourceText(state, BundleKind::kTask, taskName, text)) {
        return false;
    }
    removeWhitespace(text);
    NamedTextTable sections;
    readKeyValueText(text, sections);
    // Marked before the sections are handled: a task naming itself, directly or through
    // others, then finds its template as filled so far instead of reading itself again.
    state.tasks.markLoaded(taskName);
    Task& task = state.tasks.templateFor(state.objects, taskName);
    ListenedFile reading(state.loadListener, NamedFileKind::kTask, taskName);
    state.tasks.beginReading();
    for (int32_t i = 0; i < sections.count() && !state.haltRequested; ++i) {
        handleSection(state, task, sections.nameAt(i), sections.valueAt(i));
    }
    state.tasks.endReading();
    return true;
}

// One walk of the game folder: the folders already entered, so a link leading back to one
// of them (a loop of folder links) is not walked again.
struct FolderWalk {
    const TextString& directory;
    std::set<std::pair<uint64_t, uint64_t>> entered;

    // False when the folder has been entered before. Folders of unknown identity are
    // always entered; the depth bound alone stops them.
    bool enter(FileSystem& files, const TextString& folder) {
        FolderIdentity identity;
        return !files.folderIdentity(folder.view(), identity) ||
               entered.emplace(identity.device, identity.inode).second;
    }
};

void scanFolder(EngineState& state, FolderWalk& walk, const TextString& pattern, int32_t depth) {
    // The pattern without its final "*": "" at the top, "sub/" one level down.
    const TextString prefix = pattern.substr(0, pattern.length() - 1);
    const TextString folder = walk.directory + prefix;
    if (!walk.enter(state.files, folder)) {
        return;
    }
    for (const DirectoryEntry& entry : state.files.listDirectory(folder.view())) {
        if (state.haltRequested) {
            return;
        }
        const TextString path = prefix + TextString(entry.name.c_str());
        if (entry.isDirectory) {
            if (entry.name != "." && entry.name != ".." && depth < kMaxScanDepth) {
                scanFolder(state, walk, path + "/*", depth + 1);
            }
        } else if (folder.empty() && isBundleFileName(entry.name.c_str())) {
            // The game's bundles are no task files: "package.tsk" read as one would nest
            // every release inside the next.
            continue;
        } else if (entry.name.ends_with(".tsk")) {
            loadTaskInto(state, state.objects.root(), path);
        }
    }
}

}  // namespace

Task& TaskTable::templateFor(ObjectTree& tree, const TextString& name) {
    std::unique_ptr<Task>& slot = templates_[std::string(name.view())];
    if (!slot) {
        slot = tree.newInstance();
    }
    return *slot;
}

bool TaskTable::isLoaded(const TextString& name) const {
    return loaded_.contains(std::string(name.view()));
}

void TaskTable::markLoaded(const TextString& name) {
    loaded_.emplace(name.view());
}

void TaskTable::endReading() {
    if (--readingDepth_ == 0) {
        tooBigToCopy_.clear();
    }
}

bool TaskTable::knownTooBigToCopy(const TextString& name) const {
    // Empty outside task-file reading, so objects made while the game runs pay no lookup.
    return !tooBigToCopy_.empty() && tooBigToCopy_.contains(std::string(name.view()));
}

void TaskTable::markTooBigToCopy(const TextString& name) {
    if (readingDepth_ > 0) {
        tooBigToCopy_.emplace(name.view());
    }
}

bool fetchSourceText(EngineState& state, BundleKind kind, const TextString& fileName,
                     TextString& text) {
    return state.bundles.fetch(state.files, &state.log, kind, state.settings.sourceMode(kind),
                               fileName, text);
}

bool loadTaskInto(EngineState& state, TaskInstance& instance, const TextString& taskName) {
    if (state.haltRequested || taskName.empty()) {
        return false;
    }
    if (!state.tasks.isLoaded(taskName) && !readTaskFile(state, taskName)) {
        return false;
    }
    const Task& task = state.tasks.templateFor(state.objects, taskName);
    if (state.tasks.knownTooBigToCopy(taskName)) {
        reportCopyRefused(task);
        return false;
    }
    const bool copied = assignFromTemplate(instance, task);
    if (!copied) {
        state.tasks.markTooBigToCopy(taskName);
    }
    return copied;
}

void scanTaskFiles(EngineState& state, const TextString& directory, const TextString& pattern) {
    FolderWalk walk{directory, {}};
    scanFolder(state, walk, pattern, 0);
}

}  // namespace tavro
