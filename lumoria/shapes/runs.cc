#include "lumoria/shapes/runs.h"

#include "lumoria/transfer/rect.h"

namespace lumoria::shapes {
namespace {

// Offsets u from `centre` along an axis with `sign` such that
// centre + sign * u lies in [0, extent).
void offsets_on(int64_t centre, int64_t extent, int sign, int64_t& first, int64_t& last) {
    if (sign > 0) {
        first = -centre;
        last = extent - 1 - centre;
    } else {
        first = centre - extent + 1;
        last = centre;
    }
}

}  // namespace

Canvas::Canvas(int32_t dest, int32_t red, int32_t green, int32_t blue, int32_t alpha)
    : value_(fill_value(red, green, blue, alpha)) {
    drawable_ = host::resolve(dest, surface_) && surface_.width > 0 && surface_.height > 0;
}

void Canvas::fill(int64_t x, int64_t y, int64_t width, int64_t height) const {
    fill_value_on(surface_, x, y, width, height, value_);
}

Window window_of(const Canvas& canvas, int64_t cx, int64_t cy, Mirror m) {
    Window w;
    if (m.vertical) {
        offsets_on(cx, canvas.width(), m.sx, w.p_first, w.p_last);
        offsets_on(cy, canvas.height(), m.sy, w.u_first, w.u_last);
    } else {
        offsets_on(cy, canvas.height(), m.sy, w.p_first, w.p_last);
        offsets_on(cx, canvas.width(), m.sx, w.u_first, w.u_last);
    }
    return w;
}

void axis_distances(int64_t centre, int64_t extent, double& nearest, double& farthest) {
    const int64_t to_first = centre, to_last = centre - (extent - 1);
    nearest = static_cast<double>(to_first < 0 ? -to_first : to_last > 0 ? to_last : 0);
    farthest = static_cast<double>(to_first > -to_last ? to_first : -to_last);
}

void fill_run(const Canvas& canvas, int64_t cx, int64_t cy, Mirror m, const Run& run) {
    const int64_t length = run.hi - run.lo;
    if (m.vertical) {
        const int64_t top = m.sy > 0 ? cy + run.lo + 1 : cy - run.hi;
        canvas.fill(cx + m.sx * run.p, top, 1, length);
    } else {
        const int64_t left = m.sx > 0 ? cx + run.lo + 1 : cx - run.hi;
        canvas.fill(left, cy + m.sy * run.p, length, 1);
    }
}

}  // namespace lumoria::shapes
