// ripple: a wavy copy. Every row (or column) of the source is drawn into the
// cleared destination shifted by a sine of its index, through blt exactly as
// the engine would call it.
#include <cmath>
#include <cstdlib>

#include "host/host_bitmap.h"
#include "lumoria.h"

namespace lumoria {
namespace {

// Where strip `i` starts: trunc(sin(i / scale) · amplitude) + |amplitude|,
// from 0 to 2·|amplitude|. The angle and its sine are narrowed to 32-bit
// floats, the product is in double. Scale 0 gives an angle that is not a
// number, whose sine is taken as 0. In 64 bits the position cannot wrap;
// anything from the surface's size up draws nothing in blt, and so does the
// largest 32-bit position it is cut to.
int32_t strip_position(int32_t i, int32_t scale, int32_t amplitude) {
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

}  // namespace
}  // namespace lumoria

int32_t ripple(int32_t dest, int32_t src, int32_t scale, int32_t amplitude, int32_t vertical) {
    host::Surface surface;
    if (!host::resolve(dest, surface)) return 0;
    clear_rect(dest, 0, 0, surface.width, surface.height);
    constexpr int32_t kOpaque = 255;
    if (vertical == 0) {
        for (int32_t row = 0; row < surface.height; ++row) {
            const int32_t at = lumoria::strip_position(row, scale, amplitude);
            blt(dest, src, at, row, 0, row, surface.width, 1, kOpaque);
        }
    } else {
        for (int32_t column = 0; column < surface.width; ++column) {
            const int32_t at = lumoria::strip_position(column, scale, amplitude);
            blt(dest, src, column, at, column, 0, 1, surface.height, kOpaque);
        }
    }
    return 1;
}
