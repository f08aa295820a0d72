// Variables as the engine stores them. Every name becomes a number once per run (NameIdTable);
// a variable table is indexed by name number, each variable a growable array of doubles; a
// compiled reference carries a scoped id (name number plus scope and ".size" flags); an
// object's properties ("x", "angle", "alpha" ...) are element 0 of its variables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "text/grow_array.h"

namespace tavro {

using Variable = GrowArray<double>;
using VariableTable = GrowArray<Variable>;

// Element 0 of variable nameNumber in table, growing the table and the variable as needed.
inline double& variableElement0(VariableTable& table, int32_t nameNumber) {
    return table[nameNumber][0];
}

// Every name the engine meets becomes a number, once, for the whole run. Numbers are 1, 2, 3 ...
// in the order names are first seen; the empty name is 0 and never stored.
class NameIdTable {
  public:
    // The name's number, adding it with the next number when new; 0 for the empty name.
    int32_t idFor(std::string_view name);
    // The number already given to a name, or 0 when it has none (adds nothing).
    int32_t find(std::string_view name) const;
    // The last number given out (0 when none).
    int32_t count() const { return counter_; }
    void clear();

  private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, int32_t, Hash, std::equal_to<>> numbers_;
    int32_t counter_ = 0;
};

// Scoped variable ids: what a compiled variable reference carries. The low 24 bits are the
// name number of the bare variable name; flag bits give the scope and ".size". An id of 0 or
// less carries no name number: such a reference is resolved from its text at run time.
inline constexpr int32_t kVarNameMask = 0x00FFFFFF;
inline constexpr int32_t kVarSizeFlag = 0x01000000;     // the element count, not an element
inline constexpr int32_t kVarSystemScope = 0x10000000;  // "system."
inline constexpr int32_t kVarParentScope = 0x20000000;  // "parent."
inline constexpr int32_t kVarThisScope = 0x40000000;    // "this."
inline constexpr int32_t kVarScopeMask = kVarSystemScope | kVarParentScope | kVarThisScope;

enum class VarScope : uint8_t { kPlain, kSystem, kParent, kThis };

inline int32_t varNameNumber(int32_t id) {
    return id & kVarNameMask;
}
inline bool varIsSize(int32_t id) {
    return (id & kVarSizeFlag) != 0;
}
inline VarScope varScope(int32_t id) {
    if ((id & kVarSystemScope) != 0) {
        return VarScope::kSystem;
    }
    if ((id & kVarParentScope) != 0) {
        return VarScope::kParent;
    }
    if ((id & kVarThisScope) != 0) {
        return VarScope::kThis;
    }
    return VarScope::kPlain;
}

// The id bit of a scope (0 for the plain scope).
inline int32_t scopeBit(VarScope scope) {
    static constexpr int32_t kBits[] = {0, kVarSystemScope, kVarParentScope, kVarThisScope};
    return kBits[static_cast<int>(scope)];
}

// Position of the first "[" that starts a character (not the second byte of a two-byte
// character), or npos.
size_t findIndexBracket(std::string_view text);

// Splits a recognised scope prefix ("system.", "parent.", "this.", only one, at the very
// start) off name and returns the scope; name keeps the rest.
VarScope takeScopePrefix(std::string_view& name);

// The scoped id of a reference text such as "parent.x.size[2]": the part before the first "["
// with its prefix and a trailing ".size" turned into flags, the name numbered by `names`. -1
// for the empty name.
int32_t scopedVarId(NameIdTable& names, std::string_view reference);

}  // namespace tavro
