// GrowArray: the engine's growable array. Indexing past the end grows it, so every slot
// below count() is a valid element; a negative index (or one past the size cap) lands on the
// array's dummy element, reset at each such access. Script indices are checked and reported
// where they enter (the variable contexts), which know the run's error log.
#pragma once

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

#include "text/inline_first_vector.h"

namespace tavro {

// Largest element count an index may grow an array to. An index at or above it is treated
// like a negative index, so a script cannot make the engine allocate absurd amounts of memory.
inline constexpr int64_t kGrowArrayCap = int64_t{1} << 24;

// Whether index access at i grows or reads the array rather than landing on the dummy.
inline bool isGrowArrayIndex(int64_t i) {
    return i >= 0 && i < kGrowArrayCap;
}

template <typename T>
class GrowArray {
  public:
    GrowArray() = default;

    // Returns element i, growing the array to i + 1 elements when i is past the end.
    T& operator[](int64_t i) {
        if (static_cast<uint64_t>(i) < elements_.size()) {
            return elements_[static_cast<size_t>(i)];
        }
        return grownOrDummy(i);
    }

    // Read access that never grows: null when i is not a valid element.
    const T* find(int64_t i) const {
        return static_cast<uint64_t>(i) < elements_.size() ? &elements_[static_cast<size_t>(i)]
                                                           : nullptr;
    }

    // Never more than kGrowArrayCap, so the count always fits.
    int32_t count() const { return static_cast<int32_t>(elements_.size()); }
    bool empty() const { return elements_.empty(); }

    // Writes value at index count() and returns the new count.
    int32_t push(T value) {
        (*this)[count()] = std::move(value);
        return count();
    }

    void clear() {
        elements_.clear();
        if constexpr (!kInlineFirst) {
            elements_.shrink_to_fit();
        }
    }

    // First index between from and to (both inclusive, in either direction) holding value.
    int32_t find(const T& value, int32_t from, int32_t to) const {
        // Only indices inside 0..count-1 can match, so the walk is clipped to them.
        const int64_t last = int64_t{count()} - 1;
        if (from <= to) {
            for (int64_t i = std::max<int64_t>(from, 0); i <= std::min<int64_t>(to, last); ++i) {
                if (elements_[static_cast<size_t>(i)] == value) {
                    return static_cast<int32_t>(i);
                }
            }
        } else {
            for (int64_t i = std::min<int64_t>(from, last); i >= std::max<int64_t>(to, 0); --i) {
                if (elements_[static_cast<size_t>(i)] == value) {
                    return static_cast<int32_t>(i);
                }
            }
        }
        return -1;
    }

    T* begin() { return elements_.data(); }
    T* end() { return elements_.data() + elements_.size(); }
    const T* begin() const { return elements_.data(); }
    const T* end() const { return elements_.data() + elements_.size(); }

    bool operator==(const GrowArray& other) const { return elements_ == other.elements_; }

  private:
    // Out of line, so that the in-range access above stays small enough to inline.
    [[gnu::noinline]] T& grownOrDummy(int64_t i) {
        if (!isGrowArrayIndex(i)) {
            dummy_ = T{};
            return dummy_;
        }
        // The vector's own capacity doubling keeps growth amortised; count stays exact.
        elements_.resize(static_cast<size_t>(i) + 1);
        return elements_[static_cast<size_t>(i)];
    }

    // Numbers (a variable's elements) keep their first element inline.
    static constexpr bool kInlineFirst = std::is_arithmetic_v<T>;
    std::conditional_t<kInlineFirst, InlineFirstVector<T>, std::vector<T>> elements_;
    T dummy_{};
};

}  // namespace tavro
