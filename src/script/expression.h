// ExprNode: one compiled script expression. The parser is a top-down splitter: it finds the
// operator at which to cut the text, cuts, and parses each half the same way. A tree is built
// once when a script is compiled and evaluated every time its statement runs; evaluation does
// no text work, no name lookup and no allocation for references compiled to ids.
#pragma once

#include <cstdint>
#include <memory>

#include "script/var_resolver.h"
#include "text/text_string.h"

namespace tavro {

// Operator codes of ExprNode::operatorCode.
enum ExprOperator : int32_t {
    kOpNone = 0,  // the value is left + right (a literal or a function is its own value)
    kOpAdd = 1,
    kOpSubtract = 2,
    kOpMultiply = 3,  // also a leading minus, with left constant -1
    kOpDivide = 4,
    kOpRemainder = 5,
    kOpOr = 6,
    kOpAnd = 7,
    kOpLess = 8,
    kOpEqual = 9,
    kOpNotEqual = 10,
    kOpLessEqual = 11,
    kOpGreater = 12,
    kOpGreaterEqual = 13,
    kOpAssign = 240,
    kOpAddAssign = 241,
    kOpSubtractAssign = 242,
    kOpMultiplyAssign = 243,
    kOpDivideAssign = 244,
    kOpRemainderAssign = 245,
};

// Function kinds of ExprNode::functionKind.
enum ExprFunction : int32_t {
    kFnNone = 0,
    kFnAbs = 1,
    kFnSin = 2,
    kFnCos = 3,
    kFnTan = 4,
    kFnAsin = 5,
    kFnAcos = 6,
    kFnAtan = 7,
    kFnAtan2 = 8,
    kFnSqrt = 9,
    kFnPow = 10,
    kFnInt = 11,
    kFnNot = 12,
    kFnRand = 13,
    kFnVariable = 14,
};

// Deepest nesting of sub-expressions the parser builds. Text nested deeper is treated like
// text the parser gives up on: that part evaluates to 0. This bounds the stack used by both
// parsing and evaluation.
inline constexpr int32_t kMaxExpressionDepth = 400;

struct ExprNode {
    ExprNode() = default;
    ExprNode(ExprNode&&) noexcept = default;
    ExprNode& operator=(ExprNode&&) noexcept = default;
    ExprNode(const ExprNode&) = delete;
    ExprNode& operator=(const ExprNode&) = delete;
    ~ExprNode() = default;

    // Fills this fresh node from an expression text. With a resolver, variable names get their
    // ids now (resolve(name, -1, -1) answering type 4); without one, ids stay -1 and names are
    // resolved by text at run time. Unparseable text leaves a (sub)tree that evaluates to 0.
    void parse(TextString text, VarResolver* resolver);

    // Computes the value; assignments change variables through the resolver (none: nothing is
    // stored and variables read as 0).
    double evaluate(VarResolver* resolver) const;

    void setLeftConstant(double value) { leftConstant = value; }

    // No operands and no operator: a literal or a variable without index.
    bool isLeaf() const { return !left && !right && !index && operatorCode == kOpNone; }

    // A literal's value, what evaluate yields; false when the node must be evaluated.
    bool literalValue(double& value) const {
        if (!isLeaf() || functionKind != kFnNone) {
            return false;
        }
        value = leftConstant + rightConstant;
        return true;
    }

    std::unique_ptr<ExprNode> left;   // left operand, or a function's (first) argument
    std::unique_ptr<ExprNode> right;  // right operand, second argument, or assigned value
    std::unique_ptr<ExprNode> index;  // array index of a variable reference
    double leftConstant = 0;          // used when left is null
    double rightConstant = 0;         // used when right is null; literals are stored here
    int32_t operatorCode = kOpNone;
    int32_t functionKind = kFnNone;
    TextString name;  // variable name without its index part
    int32_t id = 0;   // scoped variable id from the resolver; -1 when none was obtained
};

// Convenience: a new tree parsed from text.
std::unique_ptr<ExprNode> parseExpression(TextString text, VarResolver* resolver);

}  // namespace tavro
