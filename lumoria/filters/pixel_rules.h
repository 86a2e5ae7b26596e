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

// A caller's table entry for `value`, clamped to a byte.
inline uint8_t looked_up(const int32_t* table, uint8_t value) {
    const int32_t entry = table[value];
    if (entry >= 255) return 255;
    if (entry <= 0) return 0;
    return static_cast<uint8_t>(entry);
}

inline void lookup_colour_pixel(uint8_t* p, const int32_t* table) {
    p[host::kBlue] = looked_up(table, p[host::kBlue]);
    p[host::kGreen] = looked_up(table, p[host::kGreen]);
    p[host::kRed] = looked_up(table, p[host::kRed]);
}

}  // namespace lumoria
