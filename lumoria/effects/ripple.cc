// ripple: a wavy copy. Every row (or column) of the source is drawn into the
// cleared destination shifted by a sine of its index, through blt exactly as
// the engine would call it.
#include "host/host_bitmap.h"
#include "lumoria.h"
#include "lumoria/effects/strip_position.h"

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
