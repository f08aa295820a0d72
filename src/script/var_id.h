// Scoped variable ids: what a compiled variable reference carries. The low 24 bits are the
// name number of the bare variable name; flag bits give the scope and ".size". An id of 0 or
// less carries no name number: such a reference is resolved from its text at run time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tavro {

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
// with its prefix and a trailing ".size" turned into flags. -1 for the empty name.
int32_t scopedVarId(std::string_view reference);

}  // namespace tavro
