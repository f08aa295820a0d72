// NameIdTable: every name the engine meets becomes a number, once, for the life of the process.
// Numbers are 1, 2, 3 ... in the order names are first seen; the empty name is 0 and never
// stored. Compiled scripts, properties and the interpreter's image and sound slots all index
// by these numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tavro {

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

// The process-wide table.
NameIdTable& nameIdTable();

// nameId(name): shorthand for nameIdTable().idFor(name).
int32_t nameId(std::string_view name);

// Only for tests and a fresh engine: forgets every name. Compiled ids become meaningless.
void resetNameIds();

}  // namespace tavro
