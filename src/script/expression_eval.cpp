// The expression evaluator. Operands are computed before anything else (left, right, then the
// index), so an assignment inside any of them always takes effect, and an assignment's target
// is located only after its value is known: x[10]=x[20] never writes through storage that the
// read of x[20] has moved.

#include <cmath>

#include "script/contexts.h"
#include "script/expr_assign.h"
#include "script/expression.h"
#include "script/random.h"
#include "text/numeric.h"

namespace tavro {

namespace {

// Degrees to radians and back, as the games expect them (not exact pi / 180).
constexpr double kDegreesToRadians = 0.017453293;
constexpr double kRadiansToDegrees = 57.29577951;

double readVariable(const ExprNode& node, VarResolver& resolver, int32_t index, double unchanged) {
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

}  // namespace

double ExprNode::evaluate(VarResolver* resolver) const {
    double a = left ? left->evaluate(resolver) : leftConstant;
    const double b = right ? right->evaluate(resolver) : rightConstant;
    const int32_t i = index ? toInt32(index->evaluate(resolver)) : 0;

    switch (functionKind) {
        case kFnNone:
            break;
        case kFnVariable:
            if (resolver != nullptr && operatorCode < 16) {
                a = readVariable(*this, *resolver, i, a);
            }
            break;
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
            return std::atan2(a, b) * kRadiansToDegrees;
        case kFnSqrt:
            a = std::sqrt(a);
            break;
        case kFnPow:
            return std::pow(a, b);
        case kFnInt:
            a = toInt32(a);
            break;
        case kFnNot:
            a = a == 0 ? 1 : 0;
            break;
        case kFnRand:
            return nextRandom();
        default:
            break;
    }

    switch (operatorCode) {
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
        case kOpAssign:
        case kOpAddAssign:
        case kOpSubtractAssign:
        case kOpMultiplyAssign:
        case kOpDivideAssign:
        case kOpRemainderAssign:
            return assignVariable(*this, resolver, i, b);
        default:
            return a + b;
    }
}

}  // namespace tavro
