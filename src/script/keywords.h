// The statement keywords: which command a statement text names, by its first byte and then by
// an exact, case-sensitive prefix ("draw(", "ifkey(", "batch(" ... "my)").
#pragma once

#include <cstdint>
#include <string_view>

namespace tavro {

uint32_t classifyStatement(std::string_view text);

}  // namespace tavro
