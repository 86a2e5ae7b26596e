// A thick elliptical ring is many one-pixel rings, each step of each writing
// four short runs. Walked together, the rings' region-1 steps of one column
// and region-2 steps of one row give runs on one line that mostly touch (the
// inner walk of a level is the outer walk of the next one), so they merge
// into a run or two, written once.
//
// The walks run as the drawing defines them, in 64-bit integers, from the
// start: region 1 column by column for all levels, then region 2 row by
// row. The decision values at the regions' starts are the rounded ones in
// exact integers (round(v / 4) = (v + 2) / 4 for v >= 0).
#include "lumoria/shapes/ellipse_sweep.h"

#include <initializer_list>

namespace lumoria::shapes {
namespace {

// Levels walked together.
constexpr int64_t kGroup = 64;
// Semi-axes up to this keep every value below 2^62.
constexpr int64_t kLargestAxis = int64_t{1} << 14;

// One ellipse's walk.
struct Walk {
    int64_t a2, b2, x, y, px, py, e;

    void start(int64_t a, int64_t b) {
        a2 = a * a;
        b2 = b * b;
        x = 0;
        y = b;
        px = 0;
        py = 2 * a2 * b;
        e = b2 - a2 * b + (a2 + 2) / 4;
    }
    bool in_region1() const { return px < py; }
    // A region-1 step: x out, and y in where e says; whether y moved.
    bool step1() {
        ++x;
        px += 2 * b2;
        if (e < 0) {
            e += b2 + px;
            return false;
        }
        --y;
        py -= 2 * a2;
        e += b2 + px - py;
        return true;
    }
    void start2() { e = b2 * (x * x + x) + (b2 + 2) / 4 + a2 * (y - 1) * (y - 1) - a2 * b2; }
    // A region-2 step: y in, and x out where e says.
    void step2() {
        --y;
        py -= 2 * a2;
        if (e > 0) {
            e += a2 - py;
        } else {
            ++x;
            px += 2 * b2;
            e += a2 - py + px;
        }
    }
};

// One level: the outer walk and the inner one advanced with it, and the
// inner steps taken late (past the inner ellipse's own region 1).
struct Level {
    Walk outer, inner;
    int64_t k, m;
    bool region1;

    // Region 2 starts with the late inner steps undone.
    void end_region1() {
        region1 = false;
        inner.x -= k;
        inner.px -= 2 * inner.b2 * k;
        inner.y += m;
        inner.py += 2 * inner.a2 * m;
        outer.start2();
        inner.start2();
    }
};

void sweep_group(const Canvas& canvas, int64_t cx, int64_t cy, int64_t a, int64_t b, int64_t t1,
                 int64_t t2) {
    const int64_t n = t2 - t1 + 1;
    // The single pixels (cx, cy +- b) of the levels: one column run each way.
    canvas.fill(cx, cy + b - t2, 1, n);
    canvas.fill(cx, cy - b + t1, 1, n);
    Level levels[kGroup];
    int64_t in_region1 = 0;
    for (int64_t i = 0; i < n; ++i) {
        Level& l = levels[i];
        const int64_t at = a - t1 - i, bt = b - t1 - i;
        l.outer.start(at, bt);
        l.inner.start(at - 1, bt - 1);
        l.k = l.m = 0;
        l.region1 = true;
        if (l.outer.in_region1()) {
            ++in_region1;
        } else {
            l.end_region1();
        }
    }
    MergedRun merged;
    // Region 1: the runs of column x are on columns cx +- x, rows from the
    // inner walk's (exclusive) to the outer walk's, away from the centre.
    for (int64_t x = 1; in_region1 > 0; ++x) {
        const bool on = line_on(cx + x, canvas.width()) || line_on(cx - x, canvas.width());
        // Rows lo + 1 .. hi away from the centre, either way, on both columns.
        auto write = [&](int64_t lo, int64_t hi) {
            for (const int64_t column : {cx + x, cx - x}) {
                canvas.fill(column, cy + lo + 1, 1, hi - lo);
                canvas.fill(column, cy - hi, 1, hi - lo);
            }
        };
        for (int64_t i = 0; i < n; ++i) {
            Level& l = levels[i];
            if (!l.region1) continue;
            const bool late = !l.inner.in_region1();
            if (late) ++l.k;
            l.outer.step1();
            if (l.inner.step1() && late) ++l.m;
            if (on && l.inner.y < l.outer.y) merged.add(l.inner.y, l.outer.y, write);
            if (!l.outer.in_region1()) {
                l.end_region1();
                --in_region1;
            }
        }
        merged.finish(write);
    }
    // Region 2: each level's steps go down from the row where its region 1
    // ended to row 0; the runs of row y are on rows cy +- y, columns from the
    // inner walk's (exclusive) to the outer walk's.
    int64_t top = 0;
    for (int64_t i = 0; i < n; ++i)
        if (levels[i].outer.y > top) top = levels[i].outer.y;
    for (int64_t y = top - 1; y >= 0; --y) {
        const bool on = line_on(cy + y, canvas.height()) || line_on(cy - y, canvas.height());
        // Columns lo + 1 .. hi away from the centre, either way, on both rows
        // (one when y is 0).
        auto write = [&](int64_t lo, int64_t hi) {
            for (const int64_t row : {cy + y, cy - y}) {
                canvas.fill(cx + lo + 1, row, hi - lo, 1);
                canvas.fill(cx - hi, row, hi - lo, 1);
                if (y == 0) break;
            }
        };
        for (int64_t i = 0; i < n; ++i) {
            Level& l = levels[i];
            if (l.outer.y != y + 1) continue;  // not yet in region 2 (or done)
            l.outer.step2();
            l.inner.step2();
            if (on && l.inner.x < l.outer.x) merged.add(l.inner.x, l.outer.x, write);
        }
        merged.finish(write);
    }
}

int64_t magnitude(int64_t v) { return v < 0 ? -v : v; }

// How many of the steps 0 .. last cross the bitmap, by `on`.
int64_t crossing(Steps on, int64_t last) {
    const int64_t from = on.first > 0 ? on.first : 0, to = on.last < last ? on.last : last;
    return to >= from ? to - from + 1 : 0;
}

}  // namespace

bool sweep_pays(const Canvas& canvas, int64_t cx, int64_t cy, int64_t a, int64_t b, int64_t t1,
                int64_t t2) {
    // The widest level is at one end of the range; the inner ellipse may be
    // one wider.
    const int64_t wide =
        magnitude(a - t1) > magnitude(a - t2) ? magnitude(a - t1) : magnitude(a - t2);
    if (wide + 1 > kLargestAxis || magnitude(b - t1) > kLargestAxis) return false;
    // Region 1 steps up to about |a| columns, region 2 about b rows.
    const int64_t tall = b - t1;
    const int64_t useful = crossing(steps_on(cx, canvas.width()), wide) +
                           crossing(steps_on(cy, canvas.height()), tall);
    return 2 * useful >= wide + tall;
}

void sweep_levels(const Canvas& canvas, int64_t cx, int64_t cy, int64_t a, int64_t b, int64_t t1,
                  int64_t t2) {
    for (int64_t t = t1; t <= t2; t += kGroup)
        sweep_group(canvas, cx, cy, a, b, t, t + kGroup - 1 < t2 ? t + kGroup - 1 : t2);
}

}  // namespace lumoria::shapes
