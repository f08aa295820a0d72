// ExprNode: one compiled script expression. The parser is a top-down splitter: it finds the
// operator at which to cut the text, cuts, and parses each half the same way. A tree is built
// once when a script is compiled and evaluated every time its statement runs; evaluation does
// no text work, no name lookup and no allocation for references compiled to ids.
#pragma once

#include <cstdint>
#include <memory>

#include "text/error_report.h"
#include "text/text_string.h"

namespace tavro {

struct EngineState;

// Type codes of VarRef::type: how the storage behind the pointer is read and written.
enum VarType : uint8_t {
    kVarNone = 0,    // no storage: reads as 0
    kVarFlag = 1,    // one byte used as a flag, 0 ... 255
    kVarInt8 = 2,    // signed 8-bit integer
    kVarUInt32 = 3,  // unsigned 32-bit integer
    kVarInt32 = 4,   // signed 32-bit integer (parse-time answers carry an id this way)
    kVarDouble = 5,  // 64-bit float (every script variable)
};

struct VarRef {
    void* pointer = nullptr;
    uint8_t type = kVarNone;
};

// Which resolver this is. Lets the evaluator take a direct path for the engine's own resolvers
// (same results as calling resolve) instead of a virtual call per variable access.
enum class ResolverKind : uint8_t { kOther, kCompile, kInstance, kName };

// VarResolver: the one way an expression reaches variables. resolve(name, id, index) answers
// with a VarRef: a pointer to the variable's storage and the type stored there.
class VarResolver {
  public:
    virtual ~VarResolver() = default;
    // The run this resolver belongs to: "rand(" draws from its generator.
    EngineState& state() const { return *state_; }
    // Called by the parser with id -1 and index -1 to learn a name's id, and by the evaluator
    // with the node's name, id and evaluated index to reach the storage.
    virtual VarRef resolve(const TextString& name, int32_t id, int32_t index) = 0;

    ResolverKind kind() const { return kind_; }

  protected:
    VarResolver(ResolverKind kind, EngineState& state) : state_(&state), kind_(kind) {}
    VarResolver(const VarResolver&) = default;
    VarResolver& operator=(const VarResolver&) = default;

  private:
    EngineState* state_;
    ResolverKind kind_;
};

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

// Deepest nesting of brackets, arguments, indices, assignments and leading operators the
// parser builds; a part nested deeper is recorded in the error log and evaluates to 0. This
// bounds the stack used by parsing, evaluation and destruction. A flat chain "1+1+...+1"
// nests no deeper however long it is: those stages walk it in loops.
inline constexpr int32_t kMaxExpressionNesting = 400;

struct ExprNode {
    ExprNode() = default;
    ExprNode(ExprNode&&) noexcept = default;
    ExprNode& operator=(ExprNode&&) noexcept = default;
    ExprNode(const ExprNode&) = delete;
    ExprNode& operator=(const ExprNode&) = delete;
    // Frees a long chain of left operands without recursion.
    ~ExprNode();

    // Fills this fresh node from an expression text. With a resolver, variable names get their
    // ids now (resolve(name, -1, -1) answering type 4); without one, ids stay -1 and names are
    // resolved by text at run time. Unparseable text leaves a (sub)tree that evaluates to 0;
    // text nested too deeply is also reported to the log.
    void parse(TextString text, VarResolver* resolver, ErrorSink* log);

    // Computes the value; assignments change variables through the resolver (none: nothing is
    // stored and variables read as 0).
    double evaluate(VarResolver* resolver) const;

    void setLeftConstant(double value) { leftConstant = value; }

    // No operands and no operator: a literal or a variable without index.
    [[gnu::always_inline]] bool isLeaf() const {
        return !left && !right && !index && operatorCode == kOpNone;
    }

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

}  // namespace tavro
