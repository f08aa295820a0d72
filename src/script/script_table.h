// ScriptTable: every script file the game names, by number, with its compiled statements.
// Entry 0 is the empty name, so real numbers start at 1; a number stays the file's for the
// whole run and a script is compiled once, when it is first named or first run.
#pragma once

#include <cstdint>

#include "script/statement.h"
#include "text/text_string.h"

namespace tavro {

// Registers the script file and compiles it if that has not been done yet. Returns its
// number; -1 for the empty name; 0 when the file cannot be read (it stays registered, so a
// later request tries again) or when the engine has halted.
int32_t scriptNumberFor(const TextString& fileName);

// The first statement of script n, compiling it on first use; null when there is nothing to
// run (halted, unknown number, unreadable file).
const Statement* compiledScript(int32_t number);

// The name of script n; empty outside the table.
const TextString& scriptName(int32_t number);
// Number of entries, entry 0 included.
int32_t scriptCount();

// Removes the whitespace and puts a ";" after every brace, so that each brace is a statement
// of its own and a header followed by its block reads header);{;...};.
void prepareScriptText(TextString& text);

// Only for tests and a fresh engine: back to the single empty entry.
void resetScriptTable();

}  // namespace tavro
