// A vector of plain values that keeps its first element inside itself, in place of the heap
// pointer, while it has at most one: a one-element array, as most of an object's properties
// are, needs no allocation, and its value sits beside its count in 16 bytes, one load away
// from whoever reaches the vector.
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
    T* data() { return onHeap() ? storage_.many : &storage_.one; }
    const T* data() const { return onHeap() ? storage_.many : &storage_.one; }
    T& operator[](size_t i) { return data()[i]; }
    const T& operator[](size_t i) const { return data()[i]; }

    // New elements are value-initialised; capacity doubles, so growth stays amortised.
    void resize(size_t count) {
        if (count > capacity_) {
            const size_t capacity = std::max(count, size_t{capacity_} * 2);
            T* grown = new T[capacity]();
            std::copy_n(data(), size_, grown);
            release();
            storage_.many = grown;
            capacity_ = static_cast<uint32_t>(capacity);
        } else if (count > size_) {
            std::fill(data() + size_, data() + count, T{});
        }
        size_ = static_cast<uint32_t>(count);
    }
    // Empties the vector and gives its memory back.
    void clear() {
        release();
        size_ = 0;
    }
    bool operator==(const InlineFirstVector& other) const {
        return std::equal(data(), data() + size_, other.data(), other.data() + other.size_);
    }

  private:
    // Only a heap block holds more than one element.
    bool onHeap() const { return capacity_ > 1; }
    void release() {
        if (onHeap()) {
            delete[] storage_.many;
            storage_.one = T{};
            capacity_ = 1;
        }
    }
    void copyFrom(const InlineFirstVector& other) {
        resize(other.size_);
        std::copy_n(other.data(), other.size_, data());
    }
    void takeFrom(InlineFirstVector& other) {
        storage_ = other.storage_;
        size_ = other.size_;
        capacity_ = other.capacity_;
        other.storage_.one = T{};
        other.size_ = 0;
        other.capacity_ = 1;
    }

    union Storage {
        T one;
        T* many;
    } storage_{T{}};
    uint32_t size_ = 0;
    uint32_t capacity_ = 1;
};

}  // namespace tavro
