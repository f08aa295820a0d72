// Task files: each describes one kind of object. The text is name=value; pairs (whitespace
// removed); the sections TASK {child,x,y}, IMAGE {name,file}, SOUND {name,file},
// SCRIPT {file} and CONSTRACT {file} hold groups; any other pair starts a variable.
// A file is read once per run into its template; instances are copies of templates.
#pragma once

#include "script/task_instance.h"
#include "text/text_string.h"

namespace tavro {

// Makes the instance a copy of the named task's template, reading the task file first if
// needed: its scripts, variables, images and sounds are replaced, and copies of the template's
// children go in front of the children it already has. False when halted, for an empty name,
// when the file cannot be read, or when the copy would pass kInstanceLimit.
// Registering the instance and running its constructors are the caller's.
bool loadTaskInto(TaskInstance& instance, const TextString& taskName);

// Loads every ".tsk" file below the directory (a trailing "/" included, "" for the game
// folder) into the root instance, one after another; `pattern` ends in "*" and names the
// subfolder walked, "*" at the top. Task names are paths relative to the directory.
void scanTaskFiles(const TextString& directory, const TextString& pattern);

}  // namespace tavro
