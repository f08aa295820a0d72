// The statement compiler: turns a prepared script text (see prepareScriptText) into a chain of
// Statements, once. Each statement gets its command code, its arguments as expressions and
// quoted texts, and, for block statements, the chain of its block as its body.
#pragma once

#include <cstdint>
#include <string_view>

#include "script/source_location.h"
#include "script/statement.h"
#include "text/text_string.h"

namespace tavro {

struct EngineState;

// The command a statement text names, by its first byte and then by an exact, case-sensitive
// keyword prefix ("draw(", "ifkey(", "batch(" ... "my)"); any other text is an expression.
uint32_t classifyStatement(std::string_view text);

// Deepest nesting of blocks and of scripts compiled from inside other scripts. A block nested
// deeper is a syntax error; a script named deeper compiles later, when it is first run.
inline constexpr int32_t kMaxCompileDepth = 256;

// Fills the empty statement `first` from the text and builds the chain behind it, each
// statement located in `source`. The text's cursors are consumed. A block statement without
// its block, or a block without its closing brace, shows the syntax error message, sets
// haltRequested and stops.
void compileStatements(EngineState& state, Statement& first, TextString& text,
                       const ScriptSource& source = {});

// True while compiling at the deepest allowed nesting.
bool compileDepthExhausted(const EngineState& state);

// One level of nesting (a block, or a script compiled while another one is) while it lives.
class CompileDepthScope {
  public:
    explicit CompileDepthScope(EngineState& state);
    ~CompileDepthScope();
    CompileDepthScope(const CompileDepthScope&) = delete;
    CompileDepthScope& operator=(const CompileDepthScope&) = delete;

  private:
    int32_t& depth_;
};

}  // namespace tavro
