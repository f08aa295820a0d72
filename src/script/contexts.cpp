#include "script/contexts.h"

#include <cstdlib>

#include "script/expression.h"
#include "script/name_id_table.h"
#include "text/numeric.h"
#include "text/text_functions.h"

namespace tavro {

namespace {

// The integer cell through which CompileContext and NameContext answer. Writing through it
// (an assignment evaluated in a naming context) changes nothing else.
int32_t answerCell = 0;

VarRef answer(int32_t value) {
    answerCell = value;
    return {&answerCell, kVarInt32};
}

// Name references nest through index texts ("a[(b[(c[...])=1])=1]=1"), each level parsing
// and evaluating the next, possibly from deep inside its own tree; beyond this depth a
// reference resolves to no storage, which keeps the stack bounded.
constexpr int32_t kMaxTextReferenceDepth = 8;
int32_t textReferenceDepth = 0;

}  // namespace

VarRef CompileContext::resolve(const TextString& name, int32_t, int32_t) {
    return answer(scopedVarId(name.view()));
}

VarRef NameContext::resolve(const TextString& name, int32_t, int32_t) {
    return answer(nameId(name.view()));
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
        double& cell = sizeCell();
        cell = static_cast<double>(static_cast<uint32_t>(variable.count()));
        return &cell;
    }
    return &variable[index];
}

// An uncompiled reference such as "a[i+1]" or "parent.hp": the index comes from the bracketed
// text (a number, or an expression evaluated here), the scope from the prefix.
VarRef InstanceContext::resolveByText(const TextString& name) {
    if (textReferenceDepth >= kMaxTextReferenceDepth) {
        return {};
    }
    ++textReferenceDepth;
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
            indexExpression.parse(indexText, nullptr);
            index = toInt32(indexExpression.evaluate(this));
        }
        variableName = variableName.substr(0, bracket);
    }
    VariableTable* table = tableFor(scopeBit(takeScopePrefix(variableName)));
    --textReferenceDepth;
    if (table == nullptr) {
        return {};
    }
    return {&(*table)[nameId(variableName)][index], kVarDouble};
}

}  // namespace tavro
