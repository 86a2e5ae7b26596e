// The rows of the colour filters: each rewrites `width` pixels of one row in
// place, left to right, by one per-pixel rule of filter_rules.h. The plain
// rows are the reference; their vectorised twins, for x86 CPUs, are an SSE2
// set (the x86 baseline), an AVX2 set, to be used only where the CPU has
// AVX2, and the same with table lookups for CPUs that also have AVX-512
// VBMI. Each row gives exactly the bytes of its plain twin.
//
// The mixing rows (tint, colorize, grayscale) compute in 16-bit lanes and
// take only the arguments for which the plain rule's numerator stays within
// 0..25500 (see fits_vector_mix); other arguments keep the plain rows.
#pragma once

#include <cstdint>

#include "host/cpu_features.h"
#include "lumoria/filters/filter_rules.h"

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

// An amount of 0..100 percent and, for a colour, components of 0..255.
inline bool fits_vector_mix(int32_t amount) { return amount >= 0 && amount <= 100; }
inline bool fits_vector_mix(const ColourMix& mix) {
    auto is_byte = [](int32_t v) { return v >= 0 && v <= 255; };
    return fits_vector_mix(mix.amount) && is_byte(mix.red) && is_byte(mix.green) &&
           is_byte(mix.blue);
}

#if HOST_X86_VECTORS
extern const FilterRows kSse2FilterRows;
extern const FilterRows kAvx2FilterRows;
// The AVX2 set with the table lookups of AVX-512 VBMI, for CPUs with both.
extern const FilterRows kAvx2VbmiFilterRows;

void vbmi_lookup_colour_row(uint8_t* pixels, int32_t width, const uint8_t* bytes);
void vbmi_lookup_all_row(uint8_t* pixels, int32_t width, const uint8_t* bytes);
#endif

// The plain rows and each vector set, by instruction set level.
extern const host::Variants<FilterRows> kFilterVariants;

}  // namespace lumoria
