// TaskTable: the task templates by name, and which task files have been read. A template is
// made on first access exactly as a new instance is; a name enters the loaded set once its
// file has been read, so a file that cannot be read is tried again on the next request.
#pragma once

#include "script/task_instance.h"
#include "text/text_string.h"

namespace tavro {

// The template of this task name, created empty on first access. The reference stays valid
// for the whole run (until resetTaskTable).
Task& taskTemplate(const TextString& name);
bool isTaskLoaded(const TextString& name);
void markTaskLoaded(const TextString& name);

// Only for tests and a fresh engine: no templates, nothing loaded.
void resetTaskTable();

}  // namespace tavro
