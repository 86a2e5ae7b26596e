// The filter rules on whole vectors of pixels, written once for any vector
// width. `V` is an instruction set of host/vector_sse2.h or vector_avx2.h
// with the filters' own operations added (see filter_rows_sse2.cc and filter_rows_avx2.cc).
// Each file defines it in an anonymous namespace, so every instantiation is
// private to the file that makes it and is compiled with that file's
// instruction set only.
//
// Pixels are handled as 32-bit lanes (blue in the low byte, alpha in the top
// one). The mixes work in 16-bit lanes, four per pixel in byte order, on the
// low and the high pixels of each 128-bit half; narrowing puts them back in
// their order. The mixes' arguments must keep every weight within 0..100.
#pragma once

#include <cstdint>

#include "host/vector_row.h"
#include "lumoria/filters/filter_rules.h"

namespace lumoria::vector_kernels {

// Applies `kernel` (pixels -> pixels) to every vector of a row.
template <class V, class Kernel>
inline void each_vector(uint8_t* pixels, int32_t width, Kernel kernel) {
    host::each_vector<V>(width, pixels,
                         [&](int32_t, int32_t, uint8_t* p) { V::store(p, kernel(V::load(p))); });
}

// Each 16-bit lane divided by 100, truncating: exact for 0..43689 (the
// multiply-high by 5243 over 2^19 errs by 12 * n / 2^19, under one step of
// the quotient up to there). The mixes' sums stay within 0..25500.
template <class V>
inline typename V::U16 divide_by_100(typename V::U16 n) {
    return V::mulhi_u16(n, V::splat_u16(5243)) >> 3;
}

// Per channel, (wx * x + wy * y) / 100 of the channel bytes of x and y, with
// the weights of V::weights(). Within 0..255 whenever wx + wy <= 100.
template <class V>
inline typename V::U32 percent_mix(typename V::U32 x, typename V::U32 y,
                                   const typename V::Weights& w) {
    return V::pack_16_to_8(divide_by_100<V>(V::pair_sums_low(x, y, w)),
                           divide_by_100<V>(V::pair_sums_high(x, y, w)));
}

template <class V>
inline typename V::U32 alpha_of(typename V::U32 pixels) {
    return pixels & 0xFF000000u;
}

// The grey level (blue + green + red) / 3, truncated, in the blue, green and
// red bytes, alpha 0. The sum (at most 765) lies in the low 16 bits of each
// 32-bit lane, whose multiply-high by 43691 over 2^17 divides every 16-bit
// value by 3 exactly; the high 16 bits stay 0.
template <class V>
inline typename V::U32 grey_bytes(typename V::U32 pixels) {
    using U16 = typename V::U16;
    const U16 thirds = V::mulhi_u16((U16)V::channel_sums(pixels), (U16)V::splat_u32(43691));
    return V::spread_grey((typename V::U32)thirds >> 1);
}

// Blue, green and red set to the grey level; alpha kept.
template <class V>
inline typename V::U32 grey_pixels(typename V::U32 pixels) {
    return grey_bytes<V>(pixels) | alpha_of<V>(pixels);
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
inline typename V::U32 colour_pixels(const ColourMix& mix) {
    return V::splat_u32(static_cast<uint32_t>(mix.blue) | static_cast<uint32_t>(mix.green) << 8 |
                        static_cast<uint32_t>(mix.red) << 16);
}

template <class V>
void tint_row(uint8_t* pixels, int32_t width, const ColourMix& mix) {
    const typename V::Weights w = percent_weights<V>(mix.amount);
    const typename V::U32 colour = colour_pixels<V>(mix);
    each_vector<V>(pixels, width, [&](typename V::U32 v) { return percent_mix<V>(v, colour, w); });
}

// colorize is tint applied to the grey picture.
template <class V>
void colorize_row(uint8_t* pixels, int32_t width, const ColourMix& mix) {
    const typename V::Weights w = percent_weights<V>(mix.amount);
    const typename V::U32 colour = colour_pixels<V>(mix);
    each_vector<V>(pixels, width,
                   [&](typename V::U32 v) { return percent_mix<V>(grey_pixels<V>(v), colour, w); });
}

template <class V>
void grey_row(uint8_t* pixels, int32_t width) {
    each_vector<V>(pixels, width, [](typename V::U32 v) { return grey_pixels<V>(v); });
}

// The grey picture mixed into the pixels; its alpha bytes weigh nothing.
template <class V>
void grayscale_row(uint8_t* pixels, int32_t width, int32_t amount) {
    const typename V::Weights w = percent_weights<V>(amount);
    each_vector<V>(pixels, width,
                   [&w](typename V::U32 v) { return percent_mix<V>(v, grey_bytes<V>(v), w); });
}

template <class V>
void negative_row(uint8_t* pixels, int32_t width) {
    each_vector<V>(pixels, width, [](typename V::U32 v) { return v ^ 0x00FFFFFFu; });
}

}  // namespace lumoria::vector_kernels
