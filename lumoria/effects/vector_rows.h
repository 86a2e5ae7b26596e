// Vectorised twins of the radial blur rows, for x86 CPUs: an SSE2 set (the
// x86 baseline) that sums each pixel's line in one vector of its four
// channels, and an AVX2 set, to be used only where the CPU has AVX2, that
// walks the lines of eight neighbouring pixels at once, one per lane, with
// gathered samples. Each gives exactly the bytes of the plain rows in rows.h.
#pragma once

#include <cstdint>

#include "host/cpu_features.h"
#include "lumoria/effects/rows.h"

namespace lumoria {

struct BlurRows {
    void (*fixed)(const BlurFrame& frame, int32_t y, int32_t samples);
    void (*scaled)(const BlurFrame& frame, int32_t y, int32_t samples);
};

extern const BlurRows kPlainBlurRows;
#if HOST_X86_VECTORS
extern const BlurRows kSse2BlurRows;
extern const BlurRows kAvx2BlurRows;
extern const BlurRows kAvx512BlurRows;
#endif

// The plain rows and each vector set, by instruction set level.
extern const host::Variants<BlurRows> kBlurVariants;

// The vector rows keep their sums in 32-bit lanes, form the means in 32-bit
// floats and address samples by 32-bit offsets, which holds while a line has
// at most 32769 points (a side of up to 65536 pixels) and the surface spans
// less than 2 GiB. They read the source while writing the destination, so
// the two must not share memory: in place, later samples must see pixels
// already written, which only the plain walk gives.
bool fits_vector_blur(const BlurFrame& frame);

// The rows for this frame: the fastest set this CPU runs where the frame
// fits the vectors, else the plain rows.
const BlurRows& blur_rows_for(const BlurFrame& frame);

}  // namespace lumoria
