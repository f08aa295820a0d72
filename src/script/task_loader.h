// Task files: each describes one kind of object. The text is name=value; pairs (whitespace
// removed); the sections TASK {child,x,y}, IMAGE {name,file}, SOUND {name,file},
// SCRIPT {file} and CONSTRACT {file} hold groups; any other pair starts a variable.
// A file is read once per run into its template; instances are copies of templates.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "script/task_instance.h"
#include "text/package_bundles.h"
#include "text/text_string.h"

namespace tavro {

struct EngineState;

// The task templates by name, and which task files have been read. A template is made on
// first access exactly as a new instance is; a name enters the loaded set once its file has
// been read, so a file that cannot be read is tried again on the next request.
class TaskTable {
  public:
    // The template of this task name, created empty on first access. The reference stays
    // valid for the whole run.
    Task& templateFor(ObjectTree& tree, const TextString& name);
    bool isLoaded(const TextString& name) const;
    void markLoaded(const TextString& name);

    // While task files are read, templates only grow and objects are only added: a template
    // once too big to copy stays so until the outermost file has been read, and a task that
    // lists itself (or an ancestor) thousands of times has each later copy refused at once.
    void beginReading() { ++readingDepth_; }
    void endReading();
    bool knownTooBigToCopy(const TextString& name) const;
    void markTooBigToCopy(const TextString& name);

  private:
    // Templates on the heap: a reference stays valid while loading adds more.
    std::unordered_map<std::string, std::unique_ptr<Task>> templates_;
    std::unordered_set<std::string> loaded_;
    int32_t readingDepth_ = 0;
    std::unordered_set<std::string> tooBigToCopy_;  // only while reading
};

// The unprepared text of a task, script or animation file, through the kind's bundle table
// in the run's source mode for that kind (the file first, or the bundle alone). False when it
// cannot be had; the file access has logged why.
bool fetchSourceText(EngineState& state, BundleKind kind, const TextString& fileName,
                     TextString& text);

// Makes the instance a copy of the named task's template, reading the task file first if
// needed: its scripts, variables, images and sounds are replaced, and copies of the template's
// children go in front of the children it already has. False when halted, for an empty name,
// when the file cannot be read, or when the copy would pass kInstanceLimit.
// Registering the instance and running its constructors are the caller's.
bool loadTaskInto(EngineState& state, TaskInstance& instance, const TextString& taskName);

// Loads every ".tsk" file below the directory (a trailing "/" included, "" for the game
// folder) into the root instance, one after another; `pattern` ends in "*" and names the
// subfolder walked, "*" at the top. Task names are paths relative to the directory. The
// bundle files at the top of the game folder are skipped, and a folder reached again through
// links is walked once.
void scanTaskFiles(EngineState& state, const TextString& directory, const TextString& pattern);

}  // namespace tavro
