// blt and simple_blt: the two plain block transfers.
#include "lumoria.h"
#include "lumoria/transfer/alpha_over.h"
#include "lumoria/transfer/composite.h"
#include "lumoria/transfer/transfer_frame.h"
#include "lumoria/transfer/transfer_rows.h"

namespace lumoria {
namespace {

// Copies all four bytes of each pixel, one pixel after the other.
void copy_row(uint8_t* dest, const uint8_t* src, int32_t width, int32_t) {
    for (int32_t i = 0; i < width; ++i) store(pixel_at(dest, i), load(pixel_at(src, i)));
}

}  // namespace
}  // namespace lumoria

int32_t blt(int32_t dest, int32_t src, int32_t dx, int32_t dy, int32_t sx, int32_t sy,
            int32_t width, int32_t height, int32_t opacity) {
    lumoria::ClippedTransfer t;
    if (!lumoria::clip_transfer({dest, src, dx, dy, sx, sy, width, height}, opacity == 0, t))
        return 0;
    lumoria::walk_rows(t, lumoria::alpha_over_row, lumoria::fast_over_row(opacity), opacity);
    return 1;
}

int32_t simple_blt(int32_t dest, int32_t src, int32_t dx, int32_t dy, int32_t sx, int32_t sy,
                   int32_t width, int32_t height) {
    lumoria::ClippedTransfer t;
    if (!lumoria::clip_transfer({dest, src, dx, dy, sx, sy, width, height}, false, t)) return 0;
    lumoria::walk_rows(t, lumoria::copy_row, lumoria::move_row, 0);
    return 1;
}
