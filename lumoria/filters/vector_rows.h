// Vectorised twins of the filter rows, for x86 CPUs: an SSE2 set (the x86
// baseline), an AVX2 set, to be used only where the CPU has AVX2, and the
// same with table lookups for CPUs that also have AVX-512 VBMI. Each row
// gives exactly the bytes of its plain twin in rows.h.
//
// The mixing rows (tint, colorize, grayscale) compute in 16-bit lanes and
// take only the arguments for which the plain rule's numerator stays within
// 0..25500 (see fits_vector_mix); other arguments keep the plain rows.
#pragma once

#include <cstdint>

#include "host/cpu_features.h"
#include "lumoria/filters/rows.h"

namespace lumoria {

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
