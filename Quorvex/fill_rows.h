// The rows of fill_color: a colour into the blue, green and red bytes of
// each pixel, the alpha byte kept. The vector sets read each pixel and write
// it back with its own alpha, which gives the plain row's bytes for any row
// (a pixel's write depends on that pixel alone).
#pragma once

#include <cstdint>

#include "host/cpu_features.h"

namespace quorvex {

// `colour` holds the three bytes where a pixel holds them (as a
// little-endian 32-bit value), its alpha byte 0.
struct FillRows {
    void (*fill)(uint8_t* row, int32_t width, uint32_t colour);
};

extern const FillRows kPlainFillRows;
#if HOST_X86_VECTORS
extern const FillRows kSse2FillRows;
extern const FillRows kAvx2FillRows;  // use only where the CPU has AVX2
#endif

// The plain row and each vector set, by instruction set level.
extern const host::Variants<FillRows> kFillVariants;

}  // namespace quorvex
