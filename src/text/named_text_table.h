// NamedTextTable: an insertion-ordered table from a name to a TextString. Lookups behave like
// a linear search from index 0 (first match), backed by a hash index. A name may be null; a
// null name equals only a null name. Entries are never removed singly.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>

#include "text/text_string.h"

namespace tavro {

class NamedTextTable {
  public:
    // Index of the entry with that name, or -1.
    int32_t indexOf(const char* name) const;
    // The value of the entry with that name, appending a new empty entry when there is none.
    // The reference stays valid until clear.
    TextString& at(const char* name);
    int32_t count() const { return static_cast<int32_t>(entries_.size()); }
    // Name of entry i (null for a null name or an index out of range).
    const char* nameAt(int32_t i) const;
    // Value of entry i; an index out of range yields an empty text.
    const TextString& valueAt(int32_t i) const;
    TextString& valueAt(int32_t i);
    void clear();

  private:
    struct Entry {
        std::optional<std::string> name;
        TextString value;
    };

    bool contains(int32_t i) const { return i >= 0 && i < count(); }

    std::deque<Entry> entries_;
    std::unordered_map<std::string, int32_t> indexByName_;
    int32_t nullNameIndex_ = -1;
    TextString missing_;  // what an index out of range reads
    TextString scratch_;  // what an index out of range writes, emptied at each such access
};

// The name=value; text form: "=" inside a name or value is written "\eq", ";" is written "\sc".
// Writes every entry with a name, in order; false (out empty) for an empty table.
bool writeKeyValueText(const NamedTextTable& table, TextString& out);
// Empties the table and reads the text into it; false for an empty text. Never fails
// otherwise: a piece without "=" is a name with an empty value.
bool readKeyValueText(const TextString& text, NamedTextTable& table);

}  // namespace tavro
