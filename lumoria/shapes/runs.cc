#include "lumoria/shapes/runs.h"

#include <cstring>

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
    : red_(red),
      green_(green),
      blue_(blue),
      alpha_(alpha),
      value_(fill_value(red, green, blue, alpha)) {
    drawable_ = host::resolve(dest, surface_) && surface_.width > 0 && surface_.height > 0;
}

void Canvas::fill(int64_t x, int64_t y, int64_t width, int64_t height) const {
    fill_rect_on(surface_, x, y, width, height, red_, green_, blue_, alpha_);
}

void Canvas::write(int64_t x, int64_t y, int64_t width, int64_t height) const {
    const int64_t left = x > 0 ? x : 0, top = y > 0 ? y : 0;
    const int64_t right = x + width < surface_.width ? x + width : surface_.width;
    const int64_t bottom = y + height < surface_.height ? y + height : surface_.height;
    if (left >= right || top >= bottom) return;
    uint8_t* first = surface_.pixel(static_cast<int32_t>(left), static_cast<int32_t>(top));
    const uintptr_t stride = surface_.stride();
    if (right - left == 1) {
        // A column: one store a row.
        for (int64_t k = top; k < bottom; ++k, first -= stride) std::memcpy(first, &value_, 4);
        return;
    }
    for (int64_t k = top; k < bottom; ++k, first -= stride)
        fill_pixels(first, right - left, value_);
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

namespace {

// The rectangle (x, y, width, height) of a run in mirror m.
template <class Fill>
void place_run(int64_t cx, int64_t cy, Mirror m, const Run& run, Fill fill) {
    const int64_t length = run.hi - run.lo;
    if (m.vertical) {
        const int64_t top = m.sy > 0 ? cy + run.lo + 1 : cy - run.hi;
        fill(cx + m.sx * run.p, top, 1, length);
    } else {
        const int64_t left = m.sx > 0 ? cx + run.lo + 1 : cx - run.hi;
        fill(left, cy + m.sy * run.p, length, 1);
    }
}

}  // namespace

void fill_run(const Canvas& canvas, int64_t cx, int64_t cy, Mirror m, const Run& run) {
    place_run(cx, cy, m, run,
              [&](int64_t x, int64_t y, int64_t w, int64_t h) { canvas.fill(x, y, w, h); });
}

void write_run(const Canvas& canvas, int64_t cx, int64_t cy, Mirror m, const Run& run) {
    place_run(cx, cy, m, run,
              [&](int64_t x, int64_t y, int64_t w, int64_t h) { canvas.write(x, y, w, h); });
}

}  // namespace lumoria::shapes
