// The per-pixel rules of the brightness rings: a pixel's whole distance from
// the centre and the scaling of its colour by a factor. Small plain
// functions, so that the vector ring rows can be checked against them byte
// for byte.
#pragma once

#include <cmath>
#include <cstdint>

#include "host/host_bitmap.h"

namespace lumoria {

// One axis of a ring distance: the step converted to a 32-bit float and
// squared in 32-bit float.
inline float float_square(int64_t step) {
    const float f = static_cast<float>(step);
    return f * f;
}

// The whole pixels of distance from two squared steps: their float sum, its
// square root in double narrowed to a float, truncated. The steps are at
// most about 2^31 apart, so the root is below 2^32 and fits.
inline int64_t ring_distance(float dx_squared, float dy_squared) {
    const float sum = dx_squared + dy_squared;
    const float root = static_cast<float>(std::sqrt(static_cast<double>(sum)));
    return static_cast<int64_t>(root);
}

// A colour byte scaled by a brightness factor, saturated to 0..255. The
// product of a byte and a float is exact in double.
inline uint8_t scaled_channel(uint8_t value, float factor) {
    double scaled = static_cast<double>(value) * static_cast<double>(factor);
    if (scaled > 255.0) scaled = 255.0;
    if (!(scaled > 0.0)) scaled = 0.0;
    return static_cast<uint8_t>(scaled);
}

// Blue, green and red scaled; alpha kept.
inline void scale_pixel(uint8_t* p, float factor) {
    p[host::kBlue] = scaled_channel(p[host::kBlue], factor);
    p[host::kGreen] = scaled_channel(p[host::kGreen], factor);
    p[host::kRed] = scaled_channel(p[host::kRed], factor);
}

}  // namespace lumoria
