// The block sum and fill for any vector set V of host/vector_*.h; included only by
// the file built for that set, after its header.
#pragma once

#include <cstdint>

#include "lumoria/effects/pixelize/block_rows.h"

namespace lumoria {
namespace {

// Lane i of a 16-bit accumulator holds channel i % 4 of its place, in the
// pixel's byte order; each vector adds two samples to every lane.
constexpr int kVectorsPerEmptying = kSamplesPerFlush / 2;

// Adds the lanes into `sums`: once per block, and every kVectorsPerEmptying
// vectors.
template <class V>
inline void empty_into(typename V::U16 lanes, ChannelSums& sums) {
    // Two 16-bit lanes sum to below 2^17: no 32-bit lane overflows.
    using Channels = uint32_t __attribute__((vector_size(16)));
    const auto channel =
        (Channels)V::sum_of_quarters(V::widen_16_to_32_low(lanes) + V::widen_16_to_32_high(lanes));
    sums.blue += channel[int{host::kBlue}];
    sums.green += channel[int{host::kGreen}];
    sums.red += channel[int{host::kRed}];
    sums.alpha += channel[int{host::kAlpha}];
}

template <class V>
inline typename V::U16 add_pixels(typename V::U16 lanes, typename V::U32 pixels) {
    return lanes + V::widen_8_to_16_low(pixels) + V::widen_8_to_16_high(pixels);
}

template <class V>
void vector_sum(const uint8_t* first, uintptr_t stride, int64_t width, int64_t height,
                ChannelSums& sums) {
    typename V::U16 lanes{};
    int vectors = 0;
    const int64_t whole = width - width % V::kPixels;
    const int tail = static_cast<int>(width % V::kPixels);
    for (int64_t k = 0; k < height; ++k) {
        const uint8_t* row = first - static_cast<uintptr_t>(k) * stride;
        for (int64_t x = 0; x < whole; x += V::kPixels) {
            lanes = add_pixels<V>(lanes, V::load(row + x * host::kPixelBytes));
            if (++vectors == kVectorsPerEmptying) {
                empty_into<V>(lanes, sums);
                lanes = typename V::U16{};
                vectors = 0;
            }
        }
        if (tail) {
            lanes =
                add_pixels<V>(lanes, V::load_first_pixels(row + whole * host::kPixelBytes, tail));
            if (++vectors == kVectorsPerEmptying) {
                empty_into<V>(lanes, sums);
                lanes = typename V::U16{};
                vectors = 0;
            }
        }
    }
    empty_into<V>(lanes, sums);
}

template <class V>
void vector_fill(uint8_t* first, uintptr_t stride, int64_t width, int64_t height, uint32_t value) {
    const typename V::U32 pixels = V::splat_u32(value);
    const int64_t whole = width - width % V::kPixels;
    const int tail = static_cast<int>(width % V::kPixels);
    for (int64_t k = 0; k < height; ++k) {
        uint8_t* row = first - static_cast<uintptr_t>(k) * stride;
        for (int64_t x = 0; x < whole; x += V::kPixels)
            V::store(row + x * host::kPixelBytes, pixels);
        if (tail) V::store_first_pixels(row + whole * host::kPixelBytes, pixels, tail);
    }
}

}  // namespace
}  // namespace lumoria
