// "Did you mean": the known name closest to a word an author wrote.
#pragma once

#include <span>
#include <string_view>

namespace tavro {

// Edits (insert, delete, replace, swap two neighbours) that turn a into b.
int editDistance(std::string_view a, std::string_view b);

// The candidate equal to `word` but for case, else the one nearest within `maxEdits` edits
// (the first of equals; at most one edit per three letters of the word); empty when none is
// that near.
std::string_view closestName(std::string_view word, std::span<const std::string_view> candidates,
                             int maxEdits);

}  // namespace tavro
