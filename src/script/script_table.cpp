#include "script/script_table.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "script/compiler.h"
#include "script/halt.h"
#include "script/source_text.h"

namespace tavro {

namespace {

struct ScriptTable {
    ScriptTable() { add(TextString()); }

    int32_t add(const TextString& name) {
        const auto number = static_cast<int32_t>(names.size());
        names.push_back(name);
        compiled.emplace_back();
        numbers.emplace(std::string(name.view()), number);
        return number;
    }

    int32_t numberOf(const TextString& name) {
        const auto found = numbers.find(std::string(name.view()));
        return found != numbers.end() ? found->second : add(name);
    }

    bool contains(int32_t number) const {
        return number >= 0 && number < static_cast<int32_t>(names.size());
    }

    std::vector<TextString> names;
    // Each statement is on the heap, so a chain stays put while compiling it adds scripts.
    std::vector<std::unique_ptr<Statement>> compiled;
    std::unordered_map<std::string, int32_t> numbers;
};

ScriptTable& table() {
    static ScriptTable scripts;
    return scripts;
}

const TextString kNoName;

}  // namespace

void prepareScriptText(TextString& text) {
    removeWhitespace(text);
    text.replaceAll("){", ");{");
    text.replaceAll("{", "{;");
    text.replaceAll("}", "};");
}

int32_t scriptNumberFor(const TextString& fileName) {
    if (haltRequested()) {
        return 0;
    }
    ScriptTable& scripts = table();
    const int32_t number = scripts.numberOf(fileName);
    if (number == 0) {
        return -1;
    }
    if (scripts.compiled[static_cast<size_t>(number)] || compileDepthExhausted()) {
        // Named too deep inside other scripts: it compiles when it first runs.
        return number;
    }
    TextString text;
    if (!fetchSourceText(fileName, text)) {
        return 0;
    }
    prepareScriptText(text);
    auto& slot = scripts.compiled[static_cast<size_t>(number)];
    slot = std::make_unique<Statement>();
    Statement& first = *slot;
    CompileDepthScope nested;
    compileStatements(first, text);
    return number;
}

const Statement* compiledScript(int32_t number) {
    if (haltRequested()) {
        return nullptr;
    }
    ScriptTable& scripts = table();
    if (!scripts.contains(number)) {
        return nullptr;
    }
    if (!scripts.compiled[static_cast<size_t>(number)]) {
        // Copied: registering other scripts while compiling may move the names.
        const TextString name = scripts.names[static_cast<size_t>(number)];
        scriptNumberFor(name);
    }
    return scripts.compiled[static_cast<size_t>(number)].get();
}

const TextString& scriptName(int32_t number) {
    return table().contains(number) ? table().names[static_cast<size_t>(number)] : kNoName;
}

int32_t scriptCount() {
    return static_cast<int32_t>(table().names.size());
}

void resetScriptTable() {
    table() = ScriptTable();
}

}  // namespace tavro
