// The per-pixel rules of the colour filters. Each works on one pixel of four
// bytes (blue, green, red, alpha) and reads only that pixel, so a row can be
// rewritten in place in any order. Alpha is left alone except by the table
// lookup when it is asked to map it.
#pragma once

#include <cstdint>

#include "host/host_bitmap.h"
#include "lumoria/int32.h"

namespace lumoria {

// A colour mixed into a picture: `amount` percent of the colour, the rest
// from the pixel side. Components are used as given, in or out of range.
struct ColourMix {
    int32_t amount;
    int32_t red, green, blue;
};

// The integer mean of the three colour bytes, truncated: 0..255.
inline int32_t grey_level(const uint8_t* pixel) {
    return (pixel[host::kBlue] + pixel[host::kGreen] + pixel[host::kRed]) / 3;
}

// `amount` percent of `target` and the rest of `base`, truncated toward zero
// and stored as its low 8 bits. Arguments out of range wrap like a 32-bit
// machine's arithmetic, so any amount and any target are safe.
inline uint8_t percent_mix(int32_t amount, int32_t target, int32_t base) {
    const int32_t weighted =
        wrap_add(wrap_mul(amount, target), wrap_mul(wrap_sub(100, amount), base));
    return low8(div_trunc(weighted, 100));
}

inline void tint_pixel(uint8_t* p, const ColourMix& mix) {
    p[host::kBlue] = percent_mix(mix.amount, mix.blue, p[host::kBlue]);
    p[host::kGreen] = percent_mix(mix.amount, mix.green, p[host::kGreen]);
    p[host::kRed] = percent_mix(mix.amount, mix.red, p[host::kRed]);
}

// The colour mixed with the pixel's grey level instead of its own channels.
inline void colorize_pixel(uint8_t* p, const ColourMix& mix) {
    const int32_t grey = grey_level(p);
    p[host::kBlue] = percent_mix(mix.amount, mix.blue, grey);
    p[host::kGreen] = percent_mix(mix.amount, mix.green, grey);
    p[host::kRed] = percent_mix(mix.amount, mix.red, grey);
}

inline void grey_pixel(uint8_t* p) {
    const uint8_t grey = static_cast<uint8_t>(grey_level(p));
    p[host::kBlue] = grey;
    p[host::kGreen] = grey;
    p[host::kRed] = grey;
}

// Moves each channel `amount` percent of the way to the grey level; a
// negative amount moves it away from grey.
inline void grayscale_pixel(uint8_t* p, int32_t amount) {
    const int32_t grey = grey_level(p);
    p[host::kBlue] = percent_mix(amount, grey, p[host::kBlue]);
    p[host::kGreen] = percent_mix(amount, grey, p[host::kGreen]);
    p[host::kRed] = percent_mix(amount, grey, p[host::kRed]);
}

inline void negative_pixel(uint8_t* p) {
    p[host::kBlue] = static_cast<uint8_t>(255 - p[host::kBlue]);
    p[host::kGreen] = static_cast<uint8_t>(255 - p[host::kGreen]);
    p[host::kRed] = static_cast<uint8_t>(255 - p[host::kRed]);
}

// The caller's table, each entry clamped to a byte: entry k is the new value
// of a channel byte k. Read once per call, all 256 entries, so that every row
// looks bytes up in a small table of bytes.
inline void clamp_table(const int32_t* table, uint8_t* bytes) {
    for (int32_t k = 0; k < 256; ++k) {
        const int32_t entry = table[k];
        bytes[k] = entry >= 255 ? 255 : entry <= 0 ? 0 : static_cast<uint8_t>(entry);
    }
}

inline void lookup_colour_pixel(uint8_t* p, const uint8_t* bytes) {
    p[host::kBlue] = bytes[p[host::kBlue]];
    p[host::kGreen] = bytes[p[host::kGreen]];
    p[host::kRed] = bytes[p[host::kRed]];
}

}  // namespace lumoria
