// Drawing the runs of a midpoint walk onto a bitmap.
//
// A walk produces one run per step and mirror image: at offset p from the
// centre on its fixed axis, the offsets (lo, hi] on the other axis. A walk can
// be far longer than the bitmap is wide (a radius of 2^31 - 1 on a small
// bitmap), so only the steps whose runs can reach the bitmap are walked: the
// walks can jump to any step, and along a walk both ends of the runs move one
// way only, which makes the steps that reach the bitmap one interval, found by
// bisection.
#pragma once

#include <cstdint>

#include "host/host_bitmap.h"

namespace lumoria::shapes {

// The bitmap a shape is drawn on, resolved once, and the colour of its runs.
class Canvas {
  public:
    Canvas(int32_t dest, int32_t red, int32_t green, int32_t blue, int32_t alpha);

    // False when nothing can be drawn: no surface, or no pixel in it.
    bool drawable() const { return drawable_; }
    int64_t width() const { return surface_.width; }
    int64_t height() const { return surface_.height; }

    // Writes the rectangle [x, x + width) x [y, y + height) by fill_rect's
    // rule. 64-bit coordinates: a run beyond the 32-bit range stays beyond
    // the bitmap instead of wrapping onto it.
    void fill(int64_t x, int64_t y, int64_t width, int64_t height) const;

  private:
    host::Surface surface_;
    bool drawable_ = false;
    uint32_t value_;  // the pixel's bytes
};

// One of the mirror images of a walk's runs around the centre.
struct Mirror {
    int sx, sy;     // +1 or -1: the direction of x and y offsets
    bool vertical;  // the fixed axis is x (the run is a column piece)
};

// A walk's step as the drawing sees it.
struct Run {
    int64_t p;       // offset on the fixed axis
    int64_t lo, hi;  // the run covers offsets lo + 1 to hi on the other axis
};

// The bitmap in a mirror's own offsets from the centre.
struct Window {
    int64_t p_first, p_last;  // fixed-axis offsets on the bitmap
    int64_t u_first, u_last;  // run-axis offsets on the bitmap
};

Window window_of(const Canvas& canvas, int64_t cx, int64_t cy, Mirror m);

// Distances along one axis from a centre to the nearest and the farthest of
// the bitmap's `extent` pixels (0 when the centre lies among them).
void axis_distances(int64_t centre, int64_t extent, double& nearest, double& farthest);
void fill_run(const Canvas& canvas, int64_t cx, int64_t cy, Mirror m, const Run& run);

// The steps p >= 0 for which centre + p or centre - p lies in [0, extent):
// those whose runs' lines (rows or columns) cross the bitmap.
struct Steps {
    int64_t first, last;
};
inline Steps steps_on(int64_t centre, int64_t extent) {
    if (centre < 0) return {-centre, extent - 1 - centre};
    if (centre >= extent) return {centre - extent + 1, centre};
    const int64_t below = extent - 1 - centre;
    return {0, centre > below ? centre : below};
}
inline bool line_on(int64_t at, int64_t extent) { return at >= 0 && at < extent; }

// Runs of one mirror image on one line, merged where they touch or overlap:
// every run has the one colour, so writing the merged runs sets the same
// pixels as writing each run.
class MergedRun {
  public:
    // Adds the run (lo, hi], lo < hi. The run merged so far is written with
    // write(lo, hi) first when the new one does not touch it.
    template <class Write>
    void add(int64_t lo, int64_t hi, Write write) {
        if (lo <= hi_ && hi >= lo_) {
            if (lo < lo_) lo_ = lo;
            if (hi > hi_) hi_ = hi;
            return;
        }
        finish(write);
        lo_ = lo;
        hi_ = hi;
    }
    // Writes the run merged so far, and starts again empty.
    template <class Write>
    void finish(Write write) {
        if (lo_ < hi_) write(lo_, hi_);
        lo_ = kEmptyLo;
        hi_ = kEmptyHi;
    }

  private:
    // Empty: touches no run.
    static constexpr int64_t kEmptyLo = INT64_MAX, kEmptyHi = INT64_MIN;
    int64_t lo_ = kEmptyLo, hi_ = kEmptyHi;
};

// First step in [a, b] where `holds` turns true (it stays true after), or
// b + 1; and the last step where it is still true (it is false after), or
// a - 1.
template <class Pred>
int64_t first_true(int64_t a, int64_t b, Pred holds) {
    if (a > b || holds(a)) return a;
    if (!holds(b)) return b + 1;
    while (b - a > 1) {  // holds(b) and not holds(a)
        const int64_t m = a + (b - a) / 2;
        (holds(m) ? b : a) = m;
    }
    return b;
}
template <class Pred>
int64_t last_true(int64_t a, int64_t b, Pred holds) {
    if (a > b || holds(b)) return b;
    if (!holds(a)) return a - 1;
    while (b - a > 1) {  // holds(a) and not holds(b)
        const int64_t m = a + (b - a) / 2;
        (holds(m) ? a : b) = m;
    }
    return a;
}

// Draws the runs of `walk` in mirror `m` whose step passes `keep`.
//
// A Walk has steps first()..last(); at(step) jumps to a step's state and
// next(state) moves it on by one (state.run is the step's run); p moves by p_slope (+1 or
// -1) per step from p_origin; kSpanGrows says whether lo and hi grow with the
// step (else neither grows).
template <class Walk, class Keep>
void draw_mirror(const Walk& walk, const Canvas& canvas, int64_t cx, int64_t cy, Mirror m,
                 Keep keep) {
    const Window w = window_of(canvas, cx, cy, m);
    int64_t a = walk.first(), b = walk.last();
    if (walk.p_slope > 0) {
        if (w.p_first - walk.p_origin > a) a = w.p_first - walk.p_origin;
        if (w.p_last - walk.p_origin < b) b = w.p_last - walk.p_origin;
    } else {
        if (walk.p_origin - w.p_last > a) a = walk.p_origin - w.p_last;
        if (walk.p_origin - w.p_first < b) b = walk.p_origin - w.p_first;
    }
    // The run reaches the window's run-axis range while hi >= u_first and
    // lo < u_last.
    auto far_end_in = [&](int64_t s) { return walk.at(s).run.hi >= w.u_first; };
    auto near_end_in = [&](int64_t s) { return walk.at(s).run.lo < w.u_last; };
    if (Walk::kSpanGrows) {
        a = first_true(a, b, far_end_in);
        b = last_true(a, b, near_end_in);
    } else {
        b = last_true(a, b, far_end_in);
        a = first_true(a, b, near_end_in);
    }
    if (a > b) return;
    auto state = walk.at(a);
    for (int64_t s = a;; ++s) {
        if (state.run.lo < state.run.hi && keep(state)) fill_run(canvas, cx, cy, m, state.run);
        if (s == b) break;
        walk.next(state);
    }
}

}  // namespace lumoria::shapes
