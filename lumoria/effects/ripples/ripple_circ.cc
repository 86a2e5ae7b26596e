// ripple_circ: brightness rings around a centre. A sine of each pixel's
// whole distance from the centre scales its colour channels up and down, in
// place, within a radius.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "host/host_bitmap.h"
#include "host/row_order.h"
#include "lumoria.h"
#include "lumoria/effects/ripples/ripple_rows.h"

namespace lumoria {
namespace {

// The columns or rows visited along one axis: centre ± radius, the end
// exclusive, bounded by the surface. In 64 bits, where the sums cannot wrap.
struct Range {
    int64_t begin, end;
};

Range box_range(int32_t centre, int32_t radius, int32_t size) {
    const int64_t low = int64_t{centre} - radius;
    const int64_t high = int64_t{centre} + radius;
    return {low > 0 ? low : 0, high < size ? high : size};
}

// The nearest and farthest steps from the centre within a range, as
// magnitudes.
int64_t farthest_step(int32_t centre, Range r) {
    return std::max(std::llabs(r.begin - centre), std::llabs(r.end - 1 - centre));
}
int64_t nearest_step(int32_t centre, Range r) {
    if (r.begin <= centre && centre < r.end) return 0;
    return std::min(std::llabs(r.begin - centre), std::llabs(r.end - 1 - centre));
}

// The brightness factor of a distance: 1 + sin(angle) · strength / 100, the
// angle running once round the circle per period from three quarters of a
// turn. The phase moves the pattern; the remainder keeps the sign of
// distance + phase, so a negative phase can give a negative angle.
float ring_factor(int64_t distance, int32_t phase, int32_t period, int32_t strength) {
    const int64_t m = (distance % period + phase) % period;
    const double angle = ((static_cast<double>(m) * 3.1415926535) * 2) / period + 4.71238898025;
    const double change = (std::sin(angle) * strength) / 100.0;
    return static_cast<float>(1.0 + change);
}

// ripple_circ's result: 1, or 0 for a period below 1 or a failed allocation.
int32_t ring_pass(const host::Surface& surface, int32_t cx, int32_t cy, int32_t phase,
                  int32_t period, int32_t strength, int32_t radius) {
    if (period < 1) return 0;
    const Range xs = box_range(cx, radius, surface.width);
    const Range ys = box_range(cy, radius, surface.height);
    if (xs.begin >= xs.end || ys.begin >= ys.end) return 1;

    // The whole distance grows with each step's magnitude, so the box's
    // distances run from that of its nearest point to that of its farthest,
    // a span no longer than about the box's diagonal whatever the centre and
    // the period. The table holds one factor for each of them up to the
    // radius; farther pixels keep their value.
    const int64_t nearest =
        ring_distance(float_square(nearest_step(cx, xs)), float_square(nearest_step(cy, ys)));
    const int64_t farthest = std::min<int64_t>(
        radius,
        ring_distance(float_square(farthest_step(cx, xs)), float_square(farthest_step(cy, ys))));
    if (nearest > farthest) return 1;
    const uint64_t size = static_cast<uint64_t>(farthest - nearest) + 1;
    if (size > std::numeric_limits<size_t>::max() / sizeof(float)) return 0;
    auto* factors = static_cast<float*>(std::malloc(static_cast<size_t>(size) * sizeof(float)));
    if (!factors) return 0;

    // One sine per distance of the first period; the pattern repeats after.
    for (uint64_t k = 0; k < size; ++k) {
        factors[k] = k < static_cast<uint64_t>(period)
                         ? ring_factor(nearest + static_cast<int64_t>(k), phase, period, strength)
                         : factors[k - static_cast<uint64_t>(period)];
    }
    const RingTable rings{factors, nearest, size};
    const RingRow rewrite_row =
        fits_vector_rings(farthest_step(cx, xs), farthest_step(cy, ys), rings)
            ? kRippleVariants.for_this_cpu().rings
            : ring_row;
    // Each pixel is rewritten from itself alone: any order of rows will do.
    host::each_row_rising(ys.begin, ys.end, [&](int64_t y) {
        rewrite_row(surface.pixel(static_cast<int32_t>(xs.begin), static_cast<int32_t>(y)),
                    xs.end - xs.begin, xs.begin - cx, float_square(y - cy), rings);
    });
    std::free(factors);
    return 1;
}

}  // namespace

}  // namespace lumoria

int32_t ripple_circ(int32_t dest, int32_t cx, int32_t cy, int32_t phase, int32_t period,
                    int32_t strength, int32_t radius) {
    host::Surface surface;
    if (!host::resolve(dest, surface)) return 0;
    return lumoria::ring_pass(surface, cx, cy, phase, period, strength, radius);
}
