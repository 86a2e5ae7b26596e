// A thick ring is many one-pixel rings, and each step of each ring writes
// eight short runs. Walked one ring after the other, the cost is in the runs.
// Walked together, step y of all rings at once, the runs of one mirror image
// on the line of step y lie side by side (the inner walk of ring r is the
// outer walk of ring r - 1), so they merge into a run or two that are
// written once.
//
// The walks of a group of rings are kept on the stack; only the steps whose
// lines (rows cy +- y, columns cx +- y) cross the bitmap are walked, the
// walks jumping to the first of them by their closed forms.
#include "lumoria/shapes/circle_sweep.h"

namespace lumoria::shapes {
namespace {

// Rings walked together.
constexpr int64_t kGroup = 256;

// The rings r1 .. r2 (at most kGroup) at steps `first` .. `last`.
template <bool kFull>
void sweep_group(const Canvas& canvas, int64_t cx, int64_t cy, int64_t r1, int64_t r2,
                 const Arc& arc, int64_t first, int64_t last) {
    // Ring i (1 <= i < n) has radius r1 - 1 + i. Walk i has that radius too:
    // the outer walk of ring i and the inner one of ring i + 1. Each keeps
    // its column x and e = y^2 + x^2 - (s^2 + s) for its radius s.
    int64_t x[kGroup + 1], e[kGroup + 1];
    // For arcs, ring i's step angle y * 61 / r as a quotient and remainder
    // carried from step to step instead of divided anew.
    int64_t angle[kGroup + 1], remainder[kGroup + 1];
    const int64_t n = r2 - r1 + 2;
    // Rings that ended before `first` stay ended; `low` is the lowest ring
    // still drawing.
    int64_t low = 1;
    while (low < n && RingWalk::last_step(r1 - 1 + low) < first) ++low;
    for (int64_t i = low - 1; i < n; ++i) {
        const int64_t s = r1 - 1 + i;
        x[i] = first == 0 ? s : RingWalk(s + 1).at(first).run.lo;
        e[i] = first * first - s + (x[i] - s) * (x[i] + s);
        if (!kFull && s > 0) {
            angle[i] = first * 61 / s;
            remainder[i] = first * 61 % s;
        }
    }
    // Full circle: merged[0] for the horizontal mirror images, which share
    // their runs, merged[4] for the vertical ones; arcs: one per image.
    MergedRun merged[8];
    for (int64_t y = first; y <= last; ++y) {
        // Writes a merged run of step y in images from .. to - 1.
        auto in_images = [&](int from, int to) {
            return [&, from, to](int64_t lo, int64_t hi) {
                for (int k = from; k < to; ++k) {
                    const OctantRun& o = kOctantRuns[k];
                    if (o.needs_row && y == 0) continue;  // the image above it
                    fill_run(canvas, cx, cy, o.mirror, Run{y, lo, hi});
                }
            };
        };
        while (low < n && x[low] < y) ++low;
        if (low >= n) return;
        // Images whose line of this step crosses the bitmap.
        bool on[8];
        for (int k = 0; k < 8; ++k) {
            const Mirror m = kOctantRuns[k].mirror;
            on[k] = m.vertical ? line_on(cx + m.sx * y, canvas.width())
                               : line_on(cy + m.sy * y, canvas.height());
        }
        const bool rows_on = on[0] || on[1] || on[2] || on[3];
        const bool columns_on = on[4] || on[5] || on[6] || on[7];
        for (int64_t i = n - 1; i >= low; --i) {
            const int64_t xo = x[i], xi = x[i - 1];
            if (xo < y || xi >= xo) continue;  // ring ended, or an empty run
            if (kFull) {
                // A drawn step has x >= 1 (x = r at y = 0), so of the rules
                // only the diagonal's applies.
                if (rows_on) merged[0].add(xi, xo, in_images(0, 4));
                if (columns_on && xo != y) merged[4].add(xi, xo, in_images(4, 8));
                continue;
            }
            for (int k = 0; k < 8; ++k) {
                const OctantRun& o = kOctantRuns[k];
                if (on[k] && !skips(o, y, xo) && arc.contains(o.base + o.sign * angle[i]))
                    merged[k].add(xi, xo, in_images(k, k + 1));
            }
        }
        if (kFull) {
            merged[0].finish(in_images(0, 4));
            merged[4].finish(in_images(4, 8));
        } else {
            for (int k = 0; k < 8; ++k) merged[k].finish(in_images(k, k + 1));
        }
        for (int64_t i = low - 1; i < n; ++i) {
            e[i] += 2 * y + 1;
            if (e[i] >= 0) {
                e[i] -= 2 * x[i] - 1;
                --x[i];
            }
        }
        if (!kFull) {
            for (int64_t i = low; i < n; ++i) {
                const int64_t r = r1 - 1 + i;
                remainder[i] += 61;
                while (remainder[i] >= r) {
                    remainder[i] -= r;
                    ++angle[i];
                }
            }
        }
    }
}

}  // namespace

void sweep_rings(const Canvas& canvas, int64_t cx, int64_t cy, int64_t bottom, int64_t top,
                 const Arc& arc) {
    // Steps on the bitmap's rows and on its columns: one span or two.
    const Steps rows = steps_on(cy, canvas.height()), columns = steps_on(cx, canvas.width());
    Steps spans[2] = {rows, columns};
    int count = 2;
    if (spans[1].first < spans[0].first) spans[0] = columns, spans[1] = rows;
    if (spans[1].first <= spans[0].last + 1) {
        if (spans[1].last > spans[0].last) spans[0].last = spans[1].last;
        count = 1;
    }
    for (int64_t r2 = top; r2 >= bottom; r2 -= kGroup) {
        const int64_t r1 = r2 - kGroup + 1 > bottom ? r2 - kGroup + 1 : bottom;
        const int64_t end = RingWalk::last_step(r2);
        for (int i = 0; i < count; ++i) {
            const int64_t last = spans[i].last < end ? spans[i].last : end;
            if (spans[i].first > last) continue;
            if (arc.full()) {
                sweep_group<true>(canvas, cx, cy, r1, r2, arc, spans[i].first, last);
            } else {
                sweep_group<false>(canvas, cx, cy, r1, r2, arc, spans[i].first, last);
            }
        }
    }
}

}  // namespace lumoria::shapes
