// A vector of plain values that keeps its first element inside itself while it has at most
// one: a one-element array, as most of an object's properties are, needs no allocation, and
// its value sits beside its count, one load away from whoever reaches the vector.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>

namespace tavro {

template <typename T>
class InlineFirstVector {
    static_assert(std::is_trivially_copyable_v<T>);

  public:
    InlineFirstVector() = default;
    InlineFirstVector(const InlineFirstVector& other) { copyFrom(other); }
    InlineFirstVector(InlineFirstVector&& other) noexcept { takeFrom(other); }
    InlineFirstVector& operator=(const InlineFirstVector& other) {
        if (this != &other) {
            clear();
            copyFrom(other);
        }
        return *this;
    }
    InlineFirstVector& operator=(InlineFirstVector&& other) noexcept {
        if (this != &other) {
            clear();
            takeFrom(other);
        }
        return *this;
    }
    ~InlineFirstVector() { release(); }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // Counts stay below 2^32 (GrowArray caps them far lower).
    T* data() { return data_; }
    const T* data() const { return data_; }
    T& operator[](size_t i) { return data_[i]; }
    const T& operator[](size_t i) const { return data_[i]; }

    // New elements are value-initialised; capacity doubles, so growth stays amortised.
    void resize(size_t count) {
        if (count > capacity_) {
            const size_t capacity = std::max(count, size_t{capacity_} * 2);
            T* grown = new T[capacity]();
            std::copy_n(data_, size_, grown);
            release();
            data_ = grown;
            capacity_ = static_cast<uint32_t>(capacity);
        } else if (count > size_) {
            std::fill(data_ + size_, data_ + count, T{});
        }
        size_ = static_cast<uint32_t>(count);
    }
    // Empties the vector and gives its memory back.
    void clear() {
        release();
        size_ = 0;
    }
    bool operator==(const InlineFirstVector& other) const {
        return std::equal(data_, data_ + size_, other.data_, other.data_ + other.size_);
    }

  private:
    bool onHeap() const { return data_ != &inline_; }
    void release() {
        if (onHeap()) {
            delete[] data_;
            data_ = &inline_;
            capacity_ = 1;
        }
    }
    void copyFrom(const InlineFirstVector& other) {
        resize(other.size_);
        std::copy_n(other.data_, other.size_, data_);
    }
    void takeFrom(InlineFirstVector& other) {
        size_ = other.size_;
        if (other.onHeap()) {
            data_ = other.data_;
            capacity_ = other.capacity_;
            other.data_ = &other.inline_;
            other.capacity_ = 1;
        } else {
            inline_ = other.inline_;
        }
        other.size_ = 0;
    }

    T* data_ = &inline_;
    uint32_t size_ = 0;
    uint32_t capacity_ = 1;
    T inline_{};
};

}  // namespace tavro
