// The two ways a destination pixel is filled from the point where it lands in
// the source. The point has passed inside_source(), so truncating it is safe
// and gives a pixel inside the source.
//
// Source and destination may be the same bitmap, and the pixel written may be
// one of those read: each channel is read before it is written, and channels
// never mix.
#pragma once

#include <cstdint>
#include <cstring>

#include "Quorvex/float_byte.h"
#include "Quorvex/inverse_map.h"
#include "host/host_bitmap.h"

namespace quorvex {

// All four bytes, alpha included. Loaded whole before storing, since the two
// may be the same pixel.
inline void copy_pixel(const uint8_t* from, uint8_t* to) {
    uint32_t value;
    std::memcpy(&value, from, sizeof value);
    std::memcpy(to, &value, sizeof value);
}

inline void nearest_pixel(const host::Surface& src, SourcePoint p, uint8_t* out) {
    copy_pixel(src.pixel(static_cast<int32_t>(p.x), static_cast<int32_t>(p.y)), out);
}

// One channel weighted between two samples (bytes convert to float exactly).
inline float mix(float a, float weight_a, float b, float weight_b) {
    return a * weight_a + b * weight_b;
}

// Interpolates between the pixel the point falls in and its right, lower and
// lower-right neighbours; the last column and row interpolate with
// themselves. Along y first within each column, then along x between them. A
// zero fraction reads only the pixels it weighs: the bytes are the same as
// the full formula's, since a weight of exactly 1 or 0 changes nothing.
inline void bilinear_pixel(const host::Surface& src, SourcePoint p, uint8_t* out) {
    const int32_t x0 = static_cast<int32_t>(p.x);
    const int32_t y0 = static_cast<int32_t>(p.y);
    const float fx = p.x - static_cast<float>(x0);
    const float fy = p.y - static_cast<float>(y0);
    const uint8_t* p00 = src.pixel(x0, y0);
    if (fx == 0.0f && fy == 0.0f) {
        copy_pixel(p00, out);
        return;
    }
    const int32_t x1 = x0 + 1 < src.width ? x0 + 1 : src.width - 1;
    const int32_t y1 = y0 + 1 < src.height ? y0 + 1 : src.height - 1;
    const float gx = 1.0f - fx;
    const float gy = 1.0f - fy;
    if (fx == 0.0f) {
        const uint8_t* p01 = src.pixel(x0, y1);
        for (int k = 0; k < host::kPixelBytes; ++k)
            out[k] = float_to_byte(mix(p00[k], gy, p01[k], fy));
        return;
    }
    const uint8_t* p10 = src.pixel(x1, y0);
    if (fy == 0.0f) {
        for (int k = 0; k < host::kPixelBytes; ++k)
            out[k] = float_to_byte(mix(p00[k], gx, p10[k], fx));
        return;
    }
    const uint8_t* p01 = src.pixel(x0, y1);
    const uint8_t* p11 = src.pixel(x1, y1);
    for (int k = 0; k < host::kPixelBytes; ++k) {
        const float left = mix(p00[k], gy, p01[k], fy);
        const float right = mix(p10[k], gy, p11[k], fy);
        out[k] = float_to_byte(mix(left, gx, right, fx));
    }
}

}  // namespace quorvex
