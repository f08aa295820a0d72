#include "script/expression_assign.h"

#include <cstring>
#include <type_traits>

namespace tavro {

namespace {

template <typename T>
T load(void* pointer) {
    T value;
    std::memcpy(&value, pointer, sizeof value);
    return value;
}

template <typename T>
void store(void* pointer, T value) {
    std::memcpy(pointer, &value, sizeof value);
}

// Keeps the low bits of an integer result, as the variable's width does.
template <typename T>
T wrapTo(int64_t value) {
    return static_cast<T>(static_cast<uint64_t>(value));
}

// The quotient v / d as the integer type computes it; 0 for a zero divisor. Signed types
// divide signed, the unsigned type divides by the divisor's unsigned reinterpretation.
template <typename T>
int64_t integerQuotient(T v, int32_t d) {
    if (d == 0) {
        return 0;
    }
    if constexpr (std::is_unsigned_v<T>) {
        return static_cast<int64_t>(v / static_cast<uint32_t>(d));
    } else {
        return int64_t{v} / int64_t{d};
    }
}

template <typename T>
T assignedInteger(int32_t op, T v, double b) {
    const int32_t operand = toInt32(b);
    switch (op) {
        case kOpAddAssign:
            return wrapTo<T>(int64_t{v} + operand);
        case kOpSubtractAssign:
            return wrapTo<T>(int64_t{v} - operand);
        case kOpMultiplyAssign:
            return static_cast<T>(static_cast<uint64_t>(int64_t{v}) *
                                  static_cast<uint64_t>(int64_t{operand}));
        case kOpDivideAssign:
            return wrapTo<T>(integerQuotient(v, operand));
        case kOpRemainderAssign:
            return wrapTo<T>(toInt32(truncatedRemainder(static_cast<double>(v), b)));
        default:
            return wrapTo<T>(operand);
    }
}

uint8_t assignedFlag(int32_t op, uint8_t v, double b) {
    const uint8_t truth = b != 0 ? 1 : 0;
    switch (op) {
        case kOpAddAssign:
            return v | truth;
        case kOpSubtractAssign:
            return v ^ truth;
        case kOpMultiplyAssign:
        case kOpDivideAssign:
            return v & truth;
        case kOpRemainderAssign:
            return truncatedRemainder(v, b) != 0 ? 1 : 0;
        default:
            return truth;
    }
}

template <typename T>
double updateInteger(void* pointer, int32_t op, double b) {
    const T value = assignedInteger<T>(op, load<T>(pointer), b);
    store(pointer, value);
    return static_cast<double>(value);
}

}  // namespace

double readVarRef(VarRef ref, double unchanged) {
    if (ref.pointer == nullptr) {
        return 0;
    }
    switch (ref.type) {
        case kVarNone:
            return 0;
        case kVarFlag:
            return load<uint8_t>(ref.pointer);
        case kVarInt8:
            return load<int8_t>(ref.pointer);
        case kVarUInt32:
            return load<uint32_t>(ref.pointer);
        case kVarInt32:
            return load<int32_t>(ref.pointer);
        case kVarDouble:
            return load<double>(ref.pointer);
        default:
            return unchanged;
    }
}

double assignVarRef(VarRef ref, int32_t op, double b) {
    if (ref.pointer == nullptr) {
        return b;
    }
    switch (ref.type) {
        case kVarFlag: {
            const uint8_t value = assignedFlag(op, load<uint8_t>(ref.pointer), b);
            store(ref.pointer, value);
            return value;
        }
        case kVarInt8:
            return updateInteger<int8_t>(ref.pointer, op, b);
        case kVarUInt32:
            return updateInteger<uint32_t>(ref.pointer, op, b);
        case kVarInt32:
            return updateInteger<int32_t>(ref.pointer, op, b);
        case kVarDouble: {
            const double value = assignedDouble(op, load<double>(ref.pointer), b);
            store(ref.pointer, value);
            return value;
        }
        default:
            return b;
    }
}

}  // namespace tavro
