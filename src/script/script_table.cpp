#include "script/script_table.h"

#include "script/compiler.h"
#include "script/engine_state.h"

namespace tavro {

int32_t ScriptTable::add(const TextString& name) {
    const auto number = static_cast<int32_t>(names_.size());
    names_.push_back(name);
    compiled_.emplace_back();
    numbers_.emplace(std::string(name.view()), number);
    return number;
}

int32_t ScriptTable::numberOf(const TextString& name) {
    const auto found = numbers_.find(std::string(name.view()));
    return found != numbers_.end() ? found->second : add(name);
}

const TextString& ScriptTable::name(int32_t number) const {
    return contains(number) ? names_[static_cast<size_t>(number)] : noName_;
}

void prepareScriptText(TextString& text) {
    removeWhitespace(text);
    text.replaceAll("){", ");{");
    text.replaceAll("{", "{;");
    text.replaceAll("}", "};");
}

int32_t scriptNumberFor(EngineState& state, const TextString& fileName) {
    if (state.haltRequested) {
        return 0;
    }
    ScriptTable& scripts = state.scripts;
    const int32_t number = scripts.numberOf(fileName);
    if (number == 0) {
        return -1;
    }
    if (scripts.compiled(number) || compileDepthExhausted(state)) {
        // Named too deep inside other scripts: it compiles when it first runs.
        return number;
    }
    TextString text;
    if (!fetchSourceText(state, BundleKind::kScript, fileName, text)) {
        return 0;
    }
    const TextString written = text;
    prepareScriptText(text);
    const PreparedTextLines lines(written.view(), text.view());
    std::unique_ptr<Statement>& slot = scripts.compiled(number);
    slot = std::make_unique<Statement>();
    Statement& first = *slot;
    CompileDepthScope nested(state);
    ListenedFile compiling(state.loadListener, NamedFileKind::kScript, fileName);
    compileStatements(state, first, text, ScriptSource{number, &lines});
    return number;
}

const Statement* compiledScript(EngineState& state, int32_t number) {
    if (state.haltRequested || !state.scripts.contains(number)) {
        return nullptr;
    }
    if (!state.scripts.compiled(number)) {
        // Copied: registering other scripts while compiling may move the names.
        const TextString name = state.scripts.name(number);
        scriptNumberFor(state, name);
    }
    return state.scripts.compiled(number).get();
}

}  // namespace tavro
