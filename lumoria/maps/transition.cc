// transition_in and transition_out: the alpha of a bitmap driven through a
// grey mask laid on it at (x, y).
#include <algorithm>

#include "host/host_bitmap.h"
#include "host/row_order.h"
#include "lumoria.h"
#include "lumoria/maps/transition_rows.h"

namespace lumoria {
namespace {

enum class Fade { kIn, kOut };

// Forming the multipliers costs 2 to 8 microseconds, about what the plain
// rows take for a thousand pixels; smaller overlaps keep the plain rows.
constexpr int64_t kScaledFromPixels = 1024;

const TransitionRows& rows_for(int64_t pixels) {
    return pixels >= kScaledFromPixels ? kTransitionVariants.for_this_cpu() : kPlainTransitionRows;
}

// Hands each row of the overlap of `mask` (at x, y) with `dest` to
// `rewrite_row`. Mask pixel (j, i) lies on dest pixel
// (x + j, y + i); the mask is used only up to dest's size, and the part of it
// that lands outside dest is skipped. The bounds are worked out in 64 bits,
// so no offset can wrap into the surface. False, with nothing written, when
// either bitmap has no surface.
bool run_transition(int32_t dest, int32_t mask, int32_t progress, int32_t total, int32_t softness,
                    int32_t x, int32_t y, Fade fade) {
    host::Surface d, m;
    if (!host::resolve(dest, d)) return false;
    if (!host::resolve(mask, m)) return false;
    const int64_t rows = std::min(d.height, m.height);
    const int64_t cols = std::min(d.width, m.width);
    const int64_t first_col = std::max<int64_t>(0, -int64_t{x});
    const int64_t end_col = std::min<int64_t>(cols, int64_t{d.width} - x);
    const int64_t first_row = std::max<int64_t>(0, -int64_t{y});
    const int64_t end_row = std::min<int64_t>(rows, int64_t{d.height} - y);
    if (first_col >= end_col) return true;
    const auto count = static_cast<int32_t>(end_col - first_col);
    if (first_row >= end_row) return true;
    const TransitionRows& row_set = rows_for(count * (end_row - first_row));
    TransitionCall call;
    call.frame = transition_frame(progress, total, softness);
    if (row_set.reads_scales) {
        call.scales = fade == Fade::kIn ? fade_in_scales(call.frame) : fade_out_scales(call.frame);
    }
    const TransitionRow rewrite_row = fade == Fade::kIn ? row_set.fade_in : row_set.fade_out;
    // Only alpha bytes are written and only red ones read: no row changes
    // what another reads, whatever their order.
    host::each_row_rising(first_row, end_row, [&](int64_t i) {
        rewrite_row(d.pixel(static_cast<int32_t>(x + first_col), static_cast<int32_t>(y + i)),
                    m.pixel(static_cast<int32_t>(first_col), static_cast<int32_t>(i)), count, call);
    });
    return true;
}

}  // namespace
}  // namespace lumoria

LUMORIA_BOOL transition_in(int32_t dest, int32_t mask, int32_t progress, int32_t total,
                           int32_t softness, int32_t x, int32_t y) {
    return lumoria::run_transition(dest, mask, progress, total, softness, x, y, lumoria::Fade::kIn);
}

LUMORIA_BOOL transition_out(int32_t dest, int32_t mask, int32_t progress, int32_t total,
                            int32_t softness, int32_t x, int32_t y) {
    return lumoria::run_transition(dest, mask, progress, total, softness, x, y,
                                   lumoria::Fade::kOut);
}
