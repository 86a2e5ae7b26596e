// Arrays that a caller passes by address, allocated to exactly the size a
// call may use, so that AddressSanitizer catches a read one byte past either
// end. Parts that a call must not read at all can be made unreadable.
#pragma once

#include <sanitizer/asan_interface.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace fuzz {

template <class T>
class CallerArray {
  public:
    // `misalign` bytes off the allocator's alignment: the engine promises
    // none for float arrays.
    explicit CallerArray(size_t count, size_t misalign = 0)
        : count_(count),
          misalign_(misalign),
          block_(static_cast<unsigned char*>(std::malloc(count * sizeof(T) + misalign))) {
        if (!block_) std::abort();
    }
    ~CallerArray() {
        ASAN_UNPOISON_MEMORY_REGION(block_, count_ * sizeof(T) + misalign_);
        std::free(block_);
    }
    CallerArray(const CallerArray&) = delete;
    CallerArray& operator=(const CallerArray&) = delete;

    size_t size() const { return count_; }
    T* data() const { return reinterpret_cast<T*>(block_ + misalign_); }

    // Element access that does not assume alignment.
    T get(size_t i) const {
        T v;
        std::memcpy(&v, block_ + misalign_ + i * sizeof(T), sizeof v);
        return v;
    }
    void set(size_t i, T v) { std::memcpy(block_ + misalign_ + i * sizeof(T), &v, sizeof v); }

    // The bytes of the elements from `first` on: a call that may only read
    // them must leave them as they were.
    std::vector<unsigned char> bytes(size_t first = 0) const {
        const unsigned char* begin = block_ + misalign_ + first * sizeof(T);
        return std::vector<unsigned char>(begin, begin + (count_ - first) * sizeof(T));
    }

    // Makes the first `count` elements unreadable (all of them by default);
    // whole only on an aligned array, whose elements fill the sanitizer's
    // 8-byte granules from the start.
    void forbid(size_t count = static_cast<size_t>(-1)) {
        ASAN_POISON_MEMORY_REGION(data(), (count < count_ ? count : count_) * sizeof(T));
    }

  private:
    size_t count_;
    size_t misalign_;
    unsigned char* block_;
};

}  // namespace fuzz
