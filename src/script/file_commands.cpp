#include "script/file_commands.h"

#include "text/numeric.h"
#include "text/scrambled_file.h"
#include "text/text_numbers.h"

namespace tavro {

namespace {

// The name id given by expression 0; 0 selects nothing.
int32_t namedId(EngineState& state, const Statement& statement) {
    NameContext names(state);
    return toInt32(statement.expression(0).evaluate(&names));
}

}  // namespace

TextString formatSavedNumber(double value) {
    TextString text = formatDouble(value);
    int32_t end = text.length();
    while (end > 0 && text.at(end - 1) == '0') {
        --end;
    }
    if (end > 0 && text.at(end - 1) == '.') {
        --end;
    }
    return text.substr(0, end);
}

void saveVariable(InstanceContext& context, const Statement& statement) {
    EngineState& state = context.state();
    const TextString& fileName = statement.text(0);
    const int32_t id = namedId(state, statement);
    if (id == 0 || fileName.empty()) {
        return;
    }
    ScrambledFile file(state.files, &state.log, fileName.cStr());
    TextString text;
    if (statement.expression(1).evaluate(&context) != 0) {
        file.readAll(text);
        if (!text.empty()) {
            text += ",";
        }
    }
    // Taken after the evaluation, which may grow the variable table.
    const Variable& variable = context.current->variables[id];
    for (int32_t i = 0; i < variable.count(); ++i) {
        text += formatSavedNumber(variable.begin()[i]);
        if (i < variable.count() - 1) {
            text += ",";
        }
    }
    file.writeAll(text);
}

void loadVariable(InstanceContext& context, const Statement& statement) {
    EngineState& state = context.state();
    const TextString& fileName = statement.text(0);
    const int32_t id = namedId(state, statement);
    if (id == 0 || fileName.empty()) {
        return;
    }
    TextString text;
    if (!ScrambledFile(state.files, &state.log, fileName.cStr()).readAll(text)) {
        return;
    }
    Variable& variable = context.current->variables[id];
    variable.clear();
    while (text.nextToken(",")) {
        variable.push(textToDouble(text.tokenCStr()));
    }
}

void initVariable(InstanceContext& context, const Statement& statement) {
    const int32_t id = namedId(context.state(), statement);
    if (id != 0) {
        context.current->variables[id].clear();
    }
}

}  // namespace tavro
