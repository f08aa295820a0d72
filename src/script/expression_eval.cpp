// The expression evaluator. Operands are computed before anything else (left, right, then the
// index), so an assignment inside any of them always takes effect, and an assignment's target
// is located only after its value is known: x[10]=x[20] never writes through storage that the
// read of x[20] has moved.

#include <cmath>

#include "script/contexts.h"
#include "script/engine_state.h"
#include "script/expression.h"
#include "script/expression_assign.h"
#include "text/numeric.h"

namespace tavro {

namespace {

// Degrees to radians and back, as the games expect them (not exact pi / 180).
constexpr double kDegreesToRadians = 0.017453293;
constexpr double kRadiansToDegrees = 57.29577951;

[[gnu::noinline]] double readVariable(const ExprNode& node, VarResolver& resolver, int32_t index,
                                      double unchanged) {
    if (resolver.kind() == ResolverKind::kInstance && node.id > 0) {
        const double* slot = static_cast<InstanceContext&>(resolver).slotFor(node.id, index);
        return slot != nullptr ? *slot : 0;
    }
    if (resolver.kind() == ResolverKind::kName && node.id > 0 && (node.id & ~kVarNameMask) == 0) {
        return node.id;  // a compiled bare name's id is its name number
    }
    return readVarRef(resolver.resolve(node.name, node.id, index), unchanged);
}

double assignVariable(const ExprNode& node, VarResolver* resolver, int32_t index, double value) {
    if (resolver == nullptr) {
        return value;
    }
    if (resolver->kind() == ResolverKind::kInstance && node.id > 0) {
        double* slot = static_cast<InstanceContext*>(resolver)->slotFor(node.id, index);
        if (slot == nullptr) {
            return value;
        }
        *slot = assignedDouble(node.operatorCode, *slot, value);
        return *slot;
    }
    return assignVarRef(resolver->resolve(node.name, node.id, index), node.operatorCode, value);
}

// The value of a literal or of a compiled instance variable without index, computed without
// a call: what evaluate would yield. False for any other node.
[[gnu::always_inline]] inline bool leafValue(const ExprNode& node, VarResolver* resolver,
                                             double& value) {
    if (!node.isLeaf()) {
        return false;
    }
    if (node.functionKind == kFnNone) {
        value = node.leftConstant + node.rightConstant;
        return true;
    }
    if (node.functionKind == kFnVariable && resolver != nullptr &&
        resolver->kind() == ResolverKind::kInstance && node.id > 0) {
        const double* slot = static_cast<InstanceContext*>(resolver)->slotFor(node.id, 0);
        value = (slot != nullptr ? *slot : 0) + node.rightConstant;
        return true;
    }
    return false;
}

[[gnu::always_inline]] inline bool leafOrConstant(const ExprNode* child, double constant,
                                                  VarResolver* resolver, double& value) {
    if (child == nullptr) {
        value = constant;
        return true;
    }
    return leafValue(*child, resolver, value);
}

// The value of an operand. Leaves, and sums, differences and products of two leaves (the
// commonest operands), are computed here without a call.
[[gnu::always_inline]] inline double operandValue(const ExprNode* child, double constant,
                                                  VarResolver* resolver) {
    double value;
    if (leafOrConstant(child, constant, resolver, value)) {
        return value;
    }
    if (child->functionKind == kFnNone && child->index == nullptr &&
        child->operatorCode >= kOpAdd && child->operatorCode <= kOpMultiply) {
        double a;
        double b;
        if (leafOrConstant(child->left.get(), child->leftConstant, resolver, a) &&
            leafOrConstant(child->right.get(), child->rightConstant, resolver, b)) {
            switch (child->operatorCode) {
                case kOpAdd:
                    return a + b;
                case kOpSubtract:
                    return a - b;
                default:
                    return a * b;
            }
        }
    }
    return child->evaluate(resolver);
}

// A function node's value: sets a, or returns true with the final result in a. "rand(" draws
// from the resolver's run (none: 0).
[[gnu::noinline]] bool applyFunction(int32_t kind, double& a, double b, VarResolver* resolver) {
    switch (kind) {
        case kFnAbs:
            a = std::fabs(a);
            break;
        case kFnSin:
            a = std::sin(a * kDegreesToRadians);
            break;
        case kFnCos:
            a = std::cos(a * kDegreesToRadians);
            break;
        case kFnTan:
            a = std::tan(a * kDegreesToRadians);
            break;
        case kFnAsin:
            a = std::asin(a) * kRadiansToDegrees;
            break;
        case kFnAcos:
            a = std::acos(a) * kRadiansToDegrees;
            break;
        case kFnAtan:
            a = std::atan(a) * kRadiansToDegrees;
            break;
        case kFnAtan2:
            a = std::atan2(a, b) * kRadiansToDegrees;
            return true;
        case kFnSqrt:
            a = std::sqrt(a);
            break;
        case kFnPow:
            a = std::pow(a, b);
            return true;
        case kFnInt:
            a = toInt32(a);
            break;
        case kFnNot:
            a = a == 0 ? 1 : 0;
            break;
        case kFnRand:
            a = resolver != nullptr ? resolver->state().random.next() : 0;
            return true;
        default:
            break;
    }
    return false;
}

// The value of a binary operator (kOpAdd ... kOpGreaterEqual) on its operands.
double binaryValue(int32_t op, double a, double b) {
    switch (op) {
        case kOpSubtract:
            return a - b;
        case kOpMultiply:
            return a * b;
        case kOpDivide:
            return a / b;
        case kOpRemainder:
            return truncatedRemainder(a, b);
        case kOpOr:
            return a != 0 || b != 0 ? 1 : 0;
        case kOpAnd:
            return a != 0 && b != 0 ? 1 : 0;
        case kOpLess:
            return a < b ? 1 : 0;
        case kOpEqual:
            return a == b ? 1 : 0;
        case kOpNotEqual:
            return a != b ? 1 : 0;
        case kOpLessEqual:
            return a <= b ? 1 : 0;
        case kOpGreater:
            return a > b ? 1 : 0;
        case kOpGreaterEqual:
            return a >= b ? 1 : 0;
        default:
            return a + b;
    }
}

// A node that only applies a binary operator to its left node and its right operand: a link
// of a chain such as 1+1+...+1, which the parser leaves as a long run of left operands.
bool isChainLink(const ExprNode& node) {
    return node.left != nullptr && node.index == nullptr && node.functionKind == kFnNone &&
           node.operatorCode >= kOpAdd && node.operatorCode <= kOpGreaterEqual;
}

double evaluateNode(const ExprNode& node, VarResolver* resolver);

// A chain of links evaluated in a loop, a stretch of links at a time, so that its length
// costs no deep recursion: the leftmost operand first, then each link's right operand, in
// the order the recursive evaluation takes them.
[[gnu::noinline]] double evaluateChain(const ExprNode& top, VarResolver* resolver) {
    constexpr int32_t kStretch = 64;
    const ExprNode* links[kStretch];
    int32_t count = 0;
    const ExprNode* operand = &top;
    while (count < kStretch && isChainLink(*operand)) {
        links[count++] = operand;
        operand = operand->left.get();
    }
    double value = operandValue(operand, 0, resolver);
    while (count > 0) {
        const ExprNode& link = *links[--count];
        value = binaryValue(link.operatorCode, value,
                            operandValue(link.right.get(), link.rightConstant, resolver));
    }
    return value;
}

// Every node but the commonest assignment; kept out of line so that the fast path of
// evaluate() stays small.
[[gnu::noinline]] double evaluateNode(const ExprNode& node, VarResolver* resolver) {
    if (isChainLink(node) && isChainLink(*node.left)) {
        return evaluateChain(node, resolver);
    }
    double a = operandValue(node.left.get(), node.leftConstant, resolver);
    const double b = operandValue(node.right.get(), node.rightConstant, resolver);
    const int32_t i = node.index ? toInt32(node.index->evaluate(resolver)) : 0;

    if (node.functionKind == kFnVariable) {
        if (resolver != nullptr && node.operatorCode < 16) {
            a = readVariable(node, *resolver, i, a);
        }
    } else if (node.functionKind != kFnNone && applyFunction(node.functionKind, a, b, resolver)) {
        return a;
    }

    if (node.operatorCode >= kOpAssign && node.operatorCode <= kOpRemainderAssign) {
        return assignVariable(node, resolver, i, b);
    }
    return binaryValue(node.operatorCode, a, b);  // kOpNone and unknown codes add
}

}  // namespace

ExprNode::~ExprNode() {
    std::unique_ptr<ExprNode> rest = std::move(left);
    while (rest) {
        rest = std::move(rest->left);
    }
}

double ExprNode::evaluate(VarResolver* resolver) const {
    // The commonest statement, an assignment to a compiled instance variable without index.
    if (operatorCode >= kOpAssign && operatorCode <= kOpRemainderAssign && left == nullptr &&
        index == nullptr && functionKind == kFnNone && id > 0 && resolver != nullptr &&
        resolver->kind() == ResolverKind::kInstance) {
        const double b = operandValue(right.get(), rightConstant, resolver);
        double* slot = static_cast<InstanceContext*>(resolver)->slotFor(id, 0);
        if (slot == nullptr) {
            return b;
        }
        *slot = assignedDouble(operatorCode, *slot, b);
        return *slot;
    }
    return evaluateNode(*this, resolver);
}

}  // namespace tavro
