// Row functions of the colour filters: each rewrites `width` pixels of one
// row in place, left to right, by one per-pixel rule of pixel_rules.h. These
// are the plain reference forms; the vectorised twins of vector_rows.h must
// match them byte for byte.
#pragma once

#include <cstdint>

#include "lumoria/filters/pixel_rules.h"

namespace lumoria {

void tint_row(uint8_t* pixels, int32_t width, const ColourMix& mix);
void colorize_row(uint8_t* pixels, int32_t width, const ColourMix& mix);
// Every pixel to its grey level.
void grey_row(uint8_t* pixels, int32_t width);
// Every pixel `amount` percent of the way to its grey level.
void grayscale_row(uint8_t* pixels, int32_t width, int32_t amount);
void negative_row(uint8_t* pixels, int32_t width);
// Blue, green and red through a table clamped by clamp_table(); alpha kept.
void lookup_colour_row(uint8_t* pixels, int32_t width, const uint8_t* bytes);
// All four bytes through a table clamped by clamp_table().
void lookup_all_row(uint8_t* pixels, int32_t width, const uint8_t* bytes);

// One implementation of every row function, so that a filter can pick the
// plain ones or a vectorised set in one place.
struct FilterRows {
    void (*tint)(uint8_t* pixels, int32_t width, const ColourMix& mix);
    void (*colorize)(uint8_t* pixels, int32_t width, const ColourMix& mix);
    void (*grey)(uint8_t* pixels, int32_t width);
    void (*grayscale)(uint8_t* pixels, int32_t width, int32_t amount);
    void (*negative)(uint8_t* pixels, int32_t width);
    void (*lookup_colour)(uint8_t* pixels, int32_t width, const uint8_t* bytes);
    void (*lookup_all)(uint8_t* pixels, int32_t width, const uint8_t* bytes);
};

extern const FilterRows kPlainFilterRows;

}  // namespace lumoria
