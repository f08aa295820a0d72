// Reading and assigning through a VarRef by its type code, and the integer remainder that
// "%" and "%=" share. Integer updates wrap within the variable's width; a zero divisor (or a
// quotient that does not fit) never traps: division and remainder by zero give 0.
#pragma once

#include <cstdint>

#include "script/expression.h"
#include "text/numeric.h"

namespace tavro {

// trunc(a) modulo trunc(b), with the sign of the dividend; 0 when trunc(b) is 0.
inline double truncatedRemainder(double a, double b) {
    const int64_t divisor = toInt32(b);
    if (divisor == 0) {
        return 0;
    }
    return static_cast<double>(int64_t{toInt32(a)} % divisor);
}

// The new value of a float variable v under an assignment operator with value b.
inline double assignedDouble(int32_t op, double v, double b) {
    switch (op) {
        case kOpAddAssign:
            return v + b;
        case kOpSubtractAssign:
            return v - b;
        case kOpMultiplyAssign:
            return v * b;
        case kOpDivideAssign:
            return v / b;
        case kOpRemainderAssign:
            return truncatedRemainder(v, b);
        default:
            return b;
    }
}

// The stored value read by its type code: 0 for no storage, `unchanged` for an unknown code.
double readVarRef(VarRef ref, double unchanged);

// Updates the storage by its type code and returns the new value read back; with no storage
// nothing changes and the result is b.
double assignVarRef(VarRef ref, int32_t op, double b);

}  // namespace tavro
