#include "script/contexts.h"

#include <cstdlib>

#include "text/messages.h"
#include "text/numeric.h"
#include "text/text_functions.h"

namespace tavro {

namespace {

// CompileContext and NameContext answer through the state's integer cell. Writing through it
// (an assignment evaluated in a naming context) changes nothing else.
VarRef answer(EngineState& state, int32_t value) {
    state.answerCell = value;
    return {&state.answerCell, kVarInt32};
}

// Name references nest through index texts ("a[(b[(c[...])=1])=1]=1"), each level parsing
// and evaluating the next, possibly from deep inside its own tree; beyond this depth a
// reference resolves to no storage, which keeps the stack bounded.
constexpr int32_t kMaxTextReferenceDepth = 8;

// The element index of a variable, or the dummy element (reset to 0) for an index no array
// reaches: a negative one, or one past the size cap, reported as the script's mistake.
double* elementOf(EngineState& state, Variable& variable, int32_t index) {
    if (!isGrowArrayIndex(index)) {
        state.log.record(kNegativeArrayIndexMessage, Severity::kError);
    }
    return &variable[index];
}

}  // namespace

VarRef CompileContext::resolve(const TextString& name, int32_t, int32_t) {
    return answer(state(), scopedVarId(state().names, name.view()));
}

VarRef NameContext::resolve(const TextString& name, int32_t, int32_t) {
    return answer(state(), state().names.idFor(name.view()));
}

VarRef InstanceContext::resolve(const TextString& name, int32_t id, int32_t index) {
    if (id <= 0) {
        return resolveByText(name);
    }
    return {slotFor(id, index), kVarDouble};
}

double* InstanceContext::slotWithGrowth(int32_t id, int32_t index) const {
    VariableTable* table = tableFor(id);
    if (table == nullptr) {
        return nullptr;
    }
    Variable& variable = (*table)[varNameNumber(id)];
    if (varIsSize(id)) {
        double& cell = state().sizeCell;
        cell = static_cast<double>(static_cast<uint32_t>(variable.count()));
        return &cell;
    }
    return elementOf(state(), variable, index);
}

// An uncompiled reference such as "a[i+1]" or "parent.hp": the index comes from the bracketed
// text (a number, or an expression evaluated here), the scope from the prefix.
VarRef InstanceContext::resolveByText(const TextString& name) {
    EngineState& run = state();
    int32_t& depth = run.nesting.textReferences;
    if (depth >= kMaxTextReferenceDepth) {
        return {};
    }
    ++depth;
    std::string_view variableName = name.view();
    int32_t index = 0;
    const size_t bracket = findIndexBracket(variableName);
    if (bracket != std::string_view::npos && bracket >= 1) {
        TextString groups = name;
        groups.nextGroup("[", "]");
        const TextString indexText = groups.token();
        if (textIsNumber(indexText.cStr())) {
            index = toInt32(std::atof(indexText.cStr()));
        } else {
            ExprNode indexExpression;
            indexExpression.parse(indexText, nullptr, &run.log);
            index = toInt32(indexExpression.evaluate(this));
        }
        variableName = variableName.substr(0, bracket);
    }
    VariableTable* table = tableFor(scopeBit(takeScopePrefix(variableName)));
    --depth;
    if (table == nullptr) {
        return {};
    }
    return {elementOf(run, (*table)[run.names.idFor(variableName)], index), kVarDouble};
}

}  // namespace tavro
