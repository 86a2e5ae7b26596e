// The radial blur's rows: the plain reference rows, and their vectorised
// twins for x86 CPUs: an SSE2 set (the x86 baseline) that sums each pixel's
// line in one vector of its four channels, and AVX2 and AVX-512 sets, to be
// used only where the CPU has them, that walk the lines of a vector of
// neighbouring pixels at once, one per lane. Each gives exactly the bytes of
// the plain rows.
#pragma once

#include <cstdint>

#include "host/cpu_features.h"
#include "host/host_bitmap.h"

namespace lumoria {

// A radial blur pass: both surfaces of the same size (possibly the same
// surface, then later samples see pixels already written) and the centre.
struct BlurFrame {
    host::Surface src;
    host::Surface dest;
    int32_t cx, cy;
};

// Blurs destination row y with a run of `samples` source pixels per pixel.
void blur_row_fixed(const BlurFrame& frame, int32_t y, int32_t samples);
// Blurs destination row y with runs that grow with the distance from the
// centre: about `samples` at the middle of each edge.
void blur_row_scaled(const BlurFrame& frame, int32_t y, int32_t samples);
// Copies source row y into destination row y, pixel by pixel from the left.
void copy_row(const BlurFrame& frame, int32_t y);

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
