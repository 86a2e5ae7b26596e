// Where ripple draws each strip.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace lumoria {

// Where strip `i` starts: trunc(sin(i / scale) · amplitude) + |amplitude|,
// from 0 to 2·|amplitude|. The angle and its sine are narrowed to 32-bit
// floats, the product is in double. Scale 0 gives an angle that is not a
// number, whose sine is taken as 0. In 64 bits the position cannot wrap;
// anything from the surface's size up draws nothing in blt, and so does the
// largest 32-bit position it is cut to.
inline int32_t strip_position(int32_t i, int32_t scale, int32_t amplitude) {
    float sine = 0.0f;
    if (scale != 0) {
        const float angle = static_cast<float>(static_cast<double>(i) / scale);
        sine = static_cast<float>(std::sin(static_cast<double>(angle)));
    }
    // |sine| <= 1, so the product lies within the range of the amplitude.
    const auto offset = static_cast<int64_t>(static_cast<double>(sine) * amplitude);
    const int64_t position = offset + std::llabs(amplitude);
    return position < INT32_MAX ? static_cast<int32_t>(position) : INT32_MAX;
}

}  // namespace lumoria
