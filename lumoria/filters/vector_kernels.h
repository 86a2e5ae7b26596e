// The filter rules on whole vectors of pixels, written once for any vector
// width. `V` is an instruction set's traits type (see rows_sse2.cc and
// rows_avx2.cc): a vector of V::kPixels pixels and the integer operations on
// it. Each file defines its traits in an anonymous namespace, so every
// instantiation is private to the file that makes it and is compiled with that
// file's instruction set only.
//
// Pixels are handled as 32-bit lanes (blue in the low byte, alpha in the top
// one). The mixes work in 16-bit lanes, four per pixel in byte order, on the
// low and the high pixels of each 128-bit half; narrowing puts them back in
// their order. The mixes' arguments must keep every weight within 0..100.
#pragma once

#include <cstdint>
#include <cstring>

#include "lumoria/filters/pixel_rules.h"

namespace lumoria::vector_kernels {

// Applies `kernel` (vector -> vector) to a row in whole vectors; the last few
// pixels go through it in a zero-padded copy, so nothing outside the row is
// read or written.
template <class V, class Kernel>
inline void each_vector(uint8_t* pixels, int32_t width, Kernel kernel) {
    constexpr int32_t kBytes = V::kPixels * host::kPixelBytes;
    int32_t x = 0;
    for (; width - x >= V::kPixels; x += V::kPixels) {
        uint8_t* p = pixels + static_cast<ptrdiff_t>(x) * host::kPixelBytes;
        V::store(p, kernel(V::load(p)));
    }
    if (x == width) return;
    uint8_t* p = pixels + static_cast<ptrdiff_t>(x) * host::kPixelBytes;
    const size_t bytes = static_cast<size_t>(width - x) * host::kPixelBytes;
    alignas(32) uint8_t tail[kBytes] = {};
    std::memcpy(tail, p, bytes);
    V::store(tail, kernel(V::load(tail)));
    std::memcpy(p, tail, bytes);
}

// Each 16-bit lane divided by 100, truncating: exact for 0..43689 (the
// multiply-high by 5243 over 2^19 errs by 12 * n / 2^19, under one step of
// the quotient up to there). The mixes' sums stay within 0..25500.
template <class V>
inline typename V::Vec divide_by_100(typename V::Vec n) {
    return V::shr16(V::mulhi16(n, V::splat16(5243)), 3);
}

// Per channel, (wx * x + wy * y) / 100 of the channel bytes of x and y, with
// the weights of V::weights(). Within 0..255 whenever wx + wy <= 100.
template <class V>
inline typename V::Vec percent_mix(typename V::Vec x, typename V::Vec y,
                                   const typename V::Weights& w) {
    return V::narrow(divide_by_100<V>(V::pair_sums_low(x, y, w)),
                     divide_by_100<V>(V::pair_sums_high(x, y, w)));
}

template <class V>
inline typename V::Vec alpha_of(typename V::Vec pixels) {
    return V::bit_and(pixels, V::splat32(0xFF000000));
}

// The grey level (blue + green + red) / 3, truncated, in the blue, green and
// red bytes, alpha 0. The sum (at most 765) lies in the low 16 bits of each
// 32-bit lane, whose multiply-high by 43691 over 2^17 divides every 16-bit
// value by 3 exactly; the high 16 bits stay 0.
template <class V>
inline typename V::Vec grey_bytes(typename V::Vec pixels) {
    return V::spread_grey(V::shr32(V::mulhi16(V::channel_sums(pixels), V::splat32(43691)), 1));
}

// Blue, green and red set to the grey level; alpha kept.
template <class V>
inline typename V::Vec grey_pixels(typename V::Vec pixels) {
    return V::bit_or(grey_bytes<V>(pixels), alpha_of<V>(pixels));
}

// The weights that mix `amount` percent of a second picture (y) into the
// channels (x); alpha weighs 100 against 0 and so stays as it is.
template <class V>
inline typename V::Weights percent_weights(int32_t amount) {
    const auto share = static_cast<uint8_t>(100 - amount);
    const auto part = static_cast<uint8_t>(amount);
    return V::weights({share, share, share, 100}, {part, part, part, 0});
}

// The colour as the bytes of a pixel, alpha 0.
template <class V>
inline typename V::Vec colour_pixels(const ColourMix& mix) {
    return V::splat32(static_cast<uint32_t>(mix.blue) | static_cast<uint32_t>(mix.green) << 8 |
                      static_cast<uint32_t>(mix.red) << 16);
}

template <class V>
void tint_row(uint8_t* pixels, int32_t width, const ColourMix& mix) {
    const typename V::Weights w = percent_weights<V>(mix.amount);
    const typename V::Vec colour = colour_pixels<V>(mix);
    each_vector<V>(pixels, width, [&](typename V::Vec v) { return percent_mix<V>(v, colour, w); });
}

// colorize is tint applied to the grey picture.
template <class V>
void colorize_row(uint8_t* pixels, int32_t width, const ColourMix& mix) {
    const typename V::Weights w = percent_weights<V>(mix.amount);
    const typename V::Vec colour = colour_pixels<V>(mix);
    each_vector<V>(pixels, width,
                   [&](typename V::Vec v) { return percent_mix<V>(grey_pixels<V>(v), colour, w); });
}

template <class V>
void grey_row(uint8_t* pixels, int32_t width) {
    each_vector<V>(pixels, width, [](typename V::Vec v) { return grey_pixels<V>(v); });
}

// The grey picture mixed into the pixels; its alpha bytes weigh nothing.
template <class V>
void grayscale_row(uint8_t* pixels, int32_t width, int32_t amount) {
    const typename V::Weights w = percent_weights<V>(amount);
    each_vector<V>(pixels, width,
                   [&w](typename V::Vec v) { return percent_mix<V>(v, grey_bytes<V>(v), w); });
}

template <class V>
void negative_row(uint8_t* pixels, int32_t width) {
    each_vector<V>(pixels, width,
                   [](typename V::Vec v) { return V::bit_xor(v, V::splat32(0x00FFFFFF)); });
}

}  // namespace lumoria::vector_kernels
