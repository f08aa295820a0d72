// ScriptTable: every script file the game names, by number, with its compiled statements.
// Entry 0 is the empty name, so real numbers start at 1; a number stays the file's for the
// whole run and a script is compiled once, when it is first named or first run.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "script/statement.h"
#include "text/text_string.h"

namespace tavro {

struct EngineState;

class ScriptTable {
  public:
    ScriptTable() { add(TextString()); }

    // The file's number, registering it when new.
    int32_t numberOf(const TextString& name);
    bool contains(int32_t number) const {
        return number >= 0 && number < static_cast<int32_t>(names_.size());
    }
    // The name of script n; empty outside the table.
    const TextString& name(int32_t number) const;
    // Number of entries, entry 0 included.
    int32_t count() const { return static_cast<int32_t>(names_.size()); }
    // The compiled chain's slot of script n (which must be in the table).
    std::unique_ptr<Statement>& compiled(int32_t number) {
        return compiled_[static_cast<size_t>(number)];
    }

  private:
    int32_t add(const TextString& name);

    std::vector<TextString> names_;
    // Each statement is on the heap, so a chain stays put while compiling it adds scripts.
    std::vector<std::unique_ptr<Statement>> compiled_;
    std::unordered_map<std::string, int32_t> numbers_;
    TextString noName_;
};

// Registers the script file and compiles it if that has not been done yet. Returns its
// number; -1 for the empty name; 0 when the file cannot be read (it stays registered, so a
// later request tries again) or when the engine has halted.
int32_t scriptNumberFor(EngineState& state, const TextString& fileName);

// The first statement of script n, compiling it on first use; null when there is nothing to
// run (halted, unknown number, unreadable file).
const Statement* compiledScript(EngineState& state, int32_t number);

// Removes the whitespace and puts a ";" after every brace, so that each brace is a statement
// of its own and a header followed by its block reads header);{;...};.
void prepareScriptText(TextString& text);

}  // namespace tavro
