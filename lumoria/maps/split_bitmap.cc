// split_bitmap: cuts a bitmap in two along a staircase. The bitmap is walked
// in strips, horizontal or vertical; each strip is cut at one position, and
// its far part is moved with blt into the second bitmap and cleared with
// clear_rect in the first, both called as the host would call them.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "host/host_bitmap.h"
#include "lumoria.h"

namespace lumoria {
namespace {

// Truncates toward zero into [-bound, bound]. A quotient by zero has no
// integer value: not a number (0 / 0) gives 0, an infinity the bound.
int64_t truncate(double value, double bound) {
    if (std::isnan(value)) return 0;
    return static_cast<int64_t>(std::clamp(value, -bound, bound));
}

float magnitude(int32_t step) { return std::fabs(static_cast<float>(step)); }

// The square of side m centred in the bitmap, its offset across the cut
// pulled back by the other offset over the step.
int32_t pulled_offset(int32_t other, int32_t step) {
    return static_cast<int32_t>(truncate(-other / static_cast<double>(magnitude(step)), INT32_MAX));
}

// Where the cut crosses the first strip: the middle of the square (at
// `offset`, side m), shifted back by the slope times half the square. Kept in
// 64 bits, bounded so that any walk's steps (at most 2^31 of at most 2^31
// each) can be added to it.
int64_t cut_start(int32_t offset, int32_t m, int32_t along, double across) {
    const double half = m / 2.0;
    return truncate((offset + half) - (along / across) * m / 2, 0x1p61);
}

// The part of a strip from `cut` to the far edge `size` of its direction.
// blt and clear_rect clamp a start before the near edge to 0 and cut the
// length at the far edge, so the strip covers [max(cut, 0), size); one that
// starts at or past the far edge covers nothing and is not moved at all.
struct Stretch {
    int32_t start, length;
};

bool stretch_to_edge(int64_t cut, int32_t size, Stretch& out) {
    if (cut >= size) return false;
    out.start = static_cast<int32_t>(std::max<int64_t>(cut, 0));
    out.length = size - out.start;
    return true;
}

// The size of a strip of a walk from the far side (step < 0). Such a walk
// enters only strips that start inside the bitmap, so the size fits 32 bits;
// with a step of INT32_MIN it enters none.
int32_t strip_size(int32_t negative_step) {
    return negative_step == INT32_MIN ? INT32_MAX : -negative_step;
}

// Strips whose near side runs from `position` by `step` while
// `more(position)` holds, cut at `cut`, which moves by `cut_step` per strip
// and reaches to `cut_edge`. `move(position, stretch)` moves one strip.
template <typename Continue, typename Move>
void walk_strips(int64_t position, int32_t step, int64_t cut, int32_t cut_step, int32_t cut_edge,
                 Continue more, Move move) {
    for (; more(position); position += step, cut += cut_step) {
        Stretch s;
        if (stretch_to_edge(cut, cut_edge, s)) move(static_cast<int32_t>(position), s);
    }
}

}  // namespace
}  // namespace lumoria

LUMORIA_BOOL split_bitmap(int32_t src, int32_t dest, int32_t step_y, int32_t step_x) {
    using namespace lumoria;
    if (step_y == 0 && step_x == 0) return false;
    host::Surface from, to;
    if (!host::resolve(src, from) || !host::resolve(dest, to)) return false;
    if (from.width != to.width || from.height != to.height) return false;
    const int32_t W = from.width, H = from.height;
    // Without pixels every strip is empty: nothing to move.
    if (W <= 0 || H <= 0) return true;

    const int32_t m = std::min(W, H);
    int32_t ox = (W - m) / 2, oy = (H - m) / 2;
    // A step of 0 divides by zero here. 0 / 0 gives 0, so a bitmap within a
    // pixel of square cut with step_y 0 is cut through its middle, as a tall
    // one is; an infinite quotient lands in the offset of the strips that
    // the walk chosen below does not use.
    if (ox == 0) ox = pulled_offset(oy, step_y);
    if (oy == 0) oy = pulled_offset(ox, step_x);

    // Moves one strip: blt into dest, then clear it in src.
    const auto move_rect = [src, dest](int32_t left, int32_t top, int32_t width, int32_t height) {
        ::blt(dest, src, left, top, left, top, width, height, 255);
        ::clear_rect(src, left, top, width, height);
    };
    const auto move_rows = [&move_rect](int32_t band) {
        return
            [&move_rect, band](int32_t top, Stretch s) { move_rect(s.start, top, s.length, band); };
    };
    const auto move_columns = [&move_rect](int32_t band) {
        return [&move_rect, band](int32_t left, Stretch s) {
            move_rect(left, s.start, band, s.length);
        };
    };
    const auto inside_height = [H](int64_t y) { return y < H; };
    const auto inside_width = [W](int64_t x) { return x < W; };
    const auto below_near_edge = [](int64_t p) { return p > 0; };

    const double ratio = static_cast<double>(W) / H;
    const float a = std::fabs(static_cast<float>(step_y * ratio));
    const float b = magnitude(step_x);
    // Horizontal strips when the cut runs closer to upright than the
    // bitmap's diagonal (step_y is then not 0), vertical ones otherwise
    // (step_x is then not 0).
    if (b <= a) {
        if (step_y > 0) {
            walk_strips(0, step_y, cut_start(ox, m, step_x, step_y), step_x, W, inside_height,
                        move_rows(step_y));
        } else {
            // From the bottom up; the rows above the last strip stay.
            const double up = -static_cast<double>(step_y);
            walk_strips(int64_t{H} + step_y, step_y, cut_start(ox, m, step_x, up), step_x, W,
                        below_near_edge, move_rows(strip_size(step_y)));
        }
    } else if (step_x > 0) {
        walk_strips(0, step_x, cut_start(oy, m, step_y, step_x), step_y, H, inside_width,
                    move_columns(step_x));
    } else {
        // From the right leftwards; the columns left of the last strip stay.
        const double left = -static_cast<double>(step_x);
        walk_strips(int64_t{W} + step_x, step_x, cut_start(oy, m, step_y, left), step_y, H,
                    below_near_edge, move_columns(strip_size(step_x)));
    }
    return true;
}
