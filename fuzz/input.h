// The fuzzer's bytes read as a stream of choices. Every choice is biased
// towards the values where rules change: 0, ±1, 255, 256, the ends of the
// 32-bit range and the edges of the bitmaps in play. Once the bytes run out
// every choice reads as zero, so any input is a complete program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace fuzz {

class Input {
  public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool exhausted() const { return pos_ >= size_; }
    uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint16_t u16();
    uint32_t u32();
    // 0 .. n - 1 (n > 0).
    uint32_t below(uint32_t n) { return n <= 256 ? byte() % n : u32() % n; }
    // True about once in `n` choices.
    bool one_in(uint32_t n) { return below(n) == 0; }

    // Values that an argument's edges are measured from: sizes of bitmaps.
    void set_edges(std::vector<int32_t> edges) { edges_ = std::move(edges); }

    // Any 32-bit value, biased as above.
    int32_t integer();
    // Usually lo .. hi, sometimes any 32-bit value.
    int32_t mostly(int32_t lo, int32_t hi);
    // A size or distance: mostly lo .. hi, where its effect is plain to see,
    // a third of the time coordinate().
    int32_t small(int32_t lo, int32_t hi) { return one_in(3) ? coordinate() : mostly(lo, hi); }
    // A position or size: an edge of a bitmap in play (± 1, or negated) more
    // often than integer() gives one.
    int32_t coordinate();
    // Any float bit pattern, biased towards 0, ±1, NaN, the infinities, huge
    // values and the ends of the 32-bit integer range.
    float real();

  private:
    int32_t edge();

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    std::vector<int32_t> edges_;
};

}  // namespace fuzz
