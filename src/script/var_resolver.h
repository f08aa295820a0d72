// VarResolver: the one way an expression reaches variables. resolve(name, id, index) answers
// with a VarRef: a pointer to the variable's storage and the type stored there.
#pragma once

#include <cstdint>

#include "text/text_string.h"

namespace tavro {

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

class VarResolver {
  public:
    virtual ~VarResolver() = default;
    // Called by the parser with id -1 and index -1 to learn a name's id, and by the evaluator
    // with the node's name, id and evaluated index to reach the storage.
    virtual VarRef resolve(const TextString& name, int32_t id, int32_t index) = 0;

    ResolverKind kind() const { return kind_; }

  protected:
    VarResolver() = default;
    explicit VarResolver(ResolverKind kind) : kind_(kind) {}
    VarResolver(const VarResolver&) = default;
    VarResolver& operator=(const VarResolver&) = default;

  private:
    ResolverKind kind_ = ResolverKind::kOther;
};

}  // namespace tavro
