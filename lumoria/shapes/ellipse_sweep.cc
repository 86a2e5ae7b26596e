// A thick elliptical ring is many one-pixel rings, each step of each writing
// four short runs. Walked together, the rings' region-1 steps of one column
// and region-2 steps of one row give runs on one line that mostly touch (the
// inner walk of a level is the outer walk of the next one), so they merge
// into a run or two, written once. The inner walk of a level and the outer
// walk of the next are one walk in region 1, and in region 2 too where they
// start there together, so each is walked once.
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

// Writes columns lo + 1 .. hi away from the centre, either way, on rows
// cy +- y (one row when y is 0).
void write_row_run(const Canvas& canvas, int64_t cx, int64_t cy, int64_t y, int64_t lo,
                   int64_t hi) {
    for (const int64_t row : {cy + y, cy - y}) {
        canvas.fill(cx + lo + 1, row, hi - lo, 1);
        canvas.fill(cx - hi, row, hi - lo, 1);
        if (y == 0) break;
    }
}

// Rows of a region-2 walk kept behind its current row.
constexpr int64_t kHistory = 8;

// Region 1 of levels 0 .. n - 1 together. Walk j (0 .. n) follows the
// ellipse j of semi-axes a - j, b - j: the outer walk of level j and the
// inner one of level j - 1, which is the same walk, step for step, as long
// as either level is in region 1. Returns where region 2 starts, for each
// level's outer walk (`outer`) and inner one (`inner`): the inner walk where
// its own region 1 ended, or where it was when the level's ended if that was
// earlier (the level's late inner steps undone). shares[i] tells whether
// level i's inner walk starts region 2 where level i + 1's outer one does.
void sweep_region1(const Canvas& canvas, int64_t cx, int64_t cy, int64_t a, int64_t b, int64_t n,
                   Walk outer[], Walk inner[], bool shares[]) {
    Walk walk[kGroup + 1];
    bool ended[kGroup + 1];  // walk j is past its own region 1
    int64_t running = 0;     // levels in region 1
    for (int64_t j = 0; j <= n; ++j) {
        walk[j].start(a - j, b - j);
        ended[j] = !walk[j].in_region1();
        if (ended[j]) outer[j] = walk[j];
        if (j < n && !ended[j]) ++running;
    }
    for (int64_t i = 0; i < n; ++i) {
        if (ended[i]) {
            inner[i] = walk[i + 1];
            shares[i] = ended[i + 1];
        }
    }
    MergedRun merged;
    // The runs of column x are on columns cx +- x, rows from the inner
    // walk's (exclusive) to the outer walk's, away from the centre.
    for (int64_t x = 1; running > 0; ++x) {
        const bool on = line_on(cx + x, canvas.width()) || line_on(cx - x, canvas.width());
        // Rows lo + 1 .. hi away from the centre, either way, on both columns.
        auto write = [&](int64_t lo, int64_t hi) {
            for (const int64_t column : {cx + x, cx - x}) {
                canvas.fill(column, cy + lo + 1, 1, hi - lo);
                canvas.fill(column, cy - hi, 1, hi - lo);
            }
        };
        bool level_before = false;  // level j - 1 is in region 1 at this column
        for (int64_t j = 0; j <= n; ++j) {
            const bool level = j < n && !ended[j];
            if (level || level_before) walk[j].step1();
            if (level_before) {
                Walk& o = walk[j - 1];
                if (on && walk[j].y < o.y) merged.add(walk[j].y, o.y, write);
                if (!o.in_region1()) {
                    // Level j - 1 ends; its inner walk (walk j) starts region 2
                    // from its own end if it is past it, else from here.
                    ended[j - 1] = true;
                    outer[j - 1] = o;
                    shares[j - 1] = !walk[j].in_region1();
                    inner[j - 1] = ended[j] ? outer[j] : walk[j];
                    --running;
                }
            }
            if (j == n && !ended[n] && !walk[n].in_region1()) {
                ended[n] = true;
                outer[n] = walk[n];
            }
            level_before = level;
        }
        merged.finish(write);
    }
}

// Region 2, each level on its own: the outer walk goes down from the row
// where its region 1 ended to row 0, the inner walk in step with it.
void sweep_region2_apart(const Canvas& canvas, int64_t cx, int64_t cy, int64_t n, Walk outer[],
                         Walk inner[]) {
    int64_t top = 0;
    for (int64_t i = 0; i < n; ++i) {
        outer[i].start2();
        inner[i].start2();
        if (outer[i].y > top) top = outer[i].y;
    }
    MergedRun merged;
    for (int64_t y = top - 1; y >= 0; --y) {
        const bool on = line_on(cy + y, canvas.height()) || line_on(cy - y, canvas.height());
        auto write = [&](int64_t lo, int64_t hi) { write_row_run(canvas, cx, cy, y, lo, hi); };
        for (int64_t i = 0; i < n; ++i) {
            if (outer[i].y != y + 1) continue;  // not yet in region 2 (or done)
            outer[i].step2();
            inner[i].step2();
            if (on && inner[i].x < outer[i].x) merged.add(inner[i].x, outer[i].x, write);
        }
        merged.finish(write);
    }
}

// Region 2 with walk j shared by level j (outer) and level j - 1 (inner).
// Level j - 1's inner walk runs d = (its outer's start row - walk j's) rows
// below its outer one, so at row y walk j is at row y - d and level j reads
// its column at row y from the last kHistory rows it walked.
void sweep_region2_shared(const Canvas& canvas, int64_t cx, int64_t cy, int64_t n, Walk walk[]) {
    int64_t behind[kGroup + 1];  // rows walk j - 1 is above walk j
    int64_t column[kGroup + 1][kHistory];
    int64_t top = 0;
    for (int64_t j = 0; j <= n; ++j) {
        behind[j] = j == 0 ? 0 : walk[j - 1].y - walk[j].y;
        walk[j].start2();
        column[j][walk[j].y & (kHistory - 1)] = walk[j].x;
        if (j < n && walk[j].y > top) top = walk[j].y;
    }
    // The row each walk started from: level j is in region 2 below start[j].
    int64_t start[kGroup + 1];
    for (int64_t j = 0; j <= n; ++j) start[j] = walk[j].y;
    MergedRun merged;
    for (int64_t y = top - 1; y >= 0; --y) {
        const bool on = line_on(cy + y, canvas.height()) || line_on(cy - y, canvas.height());
        auto write = [&](int64_t lo, int64_t hi) { write_row_run(canvas, cx, cy, y, lo, hi); };
        // Walk j steps with level j - 1 (or level 0 for walk 0), which is
        // in region 2 from the row below its start; it is then at row
        // y - behind[j].
        for (int64_t j = 0; j <= n; ++j) {
            if (y >= start[j == 0 ? 0 : j - 1]) continue;
            walk[j].step2();
            column[j][walk[j].y & (kHistory - 1)] = walk[j].x;
        }
        if (!on) continue;
        for (int64_t i = 0; i < n; ++i) {
            if (y >= start[i]) continue;
            const int64_t hi = column[i][y & (kHistory - 1)];
            const int64_t lo = column[i + 1][(y - behind[i + 1]) & (kHistory - 1)];
            if (lo < hi) merged.add(lo, hi, write);
        }
        merged.finish(write);
    }
}

void sweep_group(const Canvas& canvas, int64_t cx, int64_t cy, int64_t a, int64_t b, int64_t t1,
                 int64_t t2) {
    const int64_t n = t2 - t1 + 1;
    // The single pixels (cx, cy +- b) of the levels: one column run each way.
    canvas.fill(cx, cy + b - t2, 1, n);
    canvas.fill(cx, cy - b + t1, 1, n);
    Walk outer[kGroup + 1], inner[kGroup];
    bool shares[kGroup];
    sweep_region1(canvas, cx, cy, a - t1, b - t1, n, outer, inner, shares);
    // Walks can be shared when every level's inner walk starts where the
    // next level's outer one does, no higher and not too far below its own
    // outer walk.
    bool shared = true;
    for (int64_t i = 0; i < n && shared; ++i) {
        if (!shares[i]) {
            shared = false;  // and outer[i + 1] may not be set
        } else {
            const int64_t d = outer[i].y - outer[i + 1].y;
            shared = d >= 0 && d < kHistory;
        }
    }
    if (shared) {
        sweep_region2_shared(canvas, cx, cy, n, outer);
    } else {
        sweep_region2_apart(canvas, cx, cy, n, outer, inner);
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
