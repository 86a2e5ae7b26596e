// Row functions of the colour filters: each rewrites `width` pixels of one
// row in place, left to right, by one per-pixel rule of pixel_rules.h. These
// are the plain reference forms; a vectorised twin must match them byte for
// byte.
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
// Blue, green and red through the caller's table; alpha kept.
void lookup_colour_row(uint8_t* pixels, int32_t width, const int32_t* table);
// All four bytes through the caller's table.
void lookup_all_row(uint8_t* pixels, int32_t width, const int32_t* table);

}  // namespace lumoria
