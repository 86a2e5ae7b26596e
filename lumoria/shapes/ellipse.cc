// draw_ellipse: elliptical rings.
//
// A ring is the gap between an outer ellipse of semi-axes |a| x b and an inner
// one of |a - 1| x (b - 1), filled by runs mirrored into the four quadrants
// (see ellipse_walk.h). A thick ring is made of levels, each with both
// semi-axes one smaller; the levels go on below zero: once b is negative a
// level sets only its two single pixels (cx, cy +- b), which move away from
// the centre as the levels go on.
//
// Every run has one colour and nothing is blended, so levels and runs can be
// drawn in any order: only the levels whose rings can reach the bitmap are
// drawn, and of those only the steps whose runs reach it.
#include <cmath>
#include <initializer_list>
#include <limits>

#include "host/cpu_features.h"
#include "lumoria.h"
#include "lumoria/shapes/ellipse_sweep.h"
#include "lumoria/shapes/ellipse_walk.h"
#include "lumoria/shapes/runs.h"

namespace lumoria::shapes {
namespace {

void draw_level(const Canvas& canvas, int64_t cx, int64_t cy, int64_t a, int64_t b) {
    canvas.fill(cx, cy + b, 1, 1);
    canvas.fill(cx, cy - b, 1, 1);
    if (b < 1) return;
    const Quarter outer(a, b), inner(a - 1, b - 1);
    const Region1Walk region1(outer, inner);
    const Region2Walk region2(outer, inner, region1);
    auto every_run = [](const auto&) { return true; };
    for (int sx : {+1, -1}) {
        for (int sy : {+1, -1}) {
            draw_mirror(region1, canvas, cx, cy, Mirror{sx, sy, true}, every_run);
            draw_mirror(region2, canvas, cx, cy, Mirror{sx, sy, false}, every_run);
        }
    }
}

// Levels as an inclusive range of t (level t has semi-axes a - t, b - t).
struct Levels {
    int64_t first, last;
};

Levels intersect(Levels x, Levels y) {
    return {x.first > y.first ? x.first : y.first, x.last < y.last ? x.last : y.last};
}

// The levels in `range` where the convex function f is below `limit` (or at
// it, unless `strict`): one interval. The minimum is found by ternary search,
// then both edges by bisection.
template <class F>
Levels convex_below(Levels range, F f, double limit, bool strict) {
    auto below = [&](int64_t t) { return strict ? f(t) < limit : f(t) <= limit; };
    int64_t lo = range.first, hi = range.last;
    if (lo > hi) return range;
    while (hi - lo > 2) {
        const int64_t m1 = lo + (hi - lo) / 3, m2 = hi - (hi - lo) / 3;
        const double f1 = f(m1), f2 = f(m2);
        if (f1 < f2) {
            hi = m2;
        } else if (f1 > f2) {
            lo = m1;
        } else {
            lo = m1;
            hi = m2;
        }
    }
    int64_t lowest = lo;
    for (int64_t t = lo + 1; t <= hi; ++t) {
        if (f(t) < f(lowest)) lowest = t;
    }
    if (!below(lowest)) return {1, 0};
    return {first_true(range.first, lowest, below), last_true(lowest, range.last, below)};
}

// Where the rings of levels can reach the bitmap.
//
// A round level (|a|, b >= 4 and b^2 > 2 |a| + 16) sets pixels only within
// the ellipse of semi-axes max(|a|, |a - 1|) + kMargin x b + kMargin, and
// none within the ellipse min(|a|, |a - 1|) - kMargin x b - 1 - kMargin: its
// walks stay within a pixel or two of their curves. The bitmap meets a
// centred ellipse when its point nearest the centre (in each axis) is inside,
// and lies in it when its farthest corner is. Along the levels both tests are
// convex in t, so the levels that pass are found by search.
//
// A flat level differs near its ends: there the inner walk reaches its axis
// while the outer one is still in region 1, and from then on (late) moves
// one row per column, past the axis, so the runs there reach that many rows
// beyond the ring. Flat levels are few (b < sqrt(2 |a| + 16)) and are tested
// one by one against a bound that allows for those rows.
class Reach {
  public:
    static constexpr double kMargin = 4;

    Reach(const Canvas& canvas, int64_t cx, int64_t cy) {
        axis_distances(cx, canvas.width(), near_x_, far_x_);
        axis_distances(cy, canvas.height(), near_y_, far_y_);
    }

    // Levels of `range` whose |a| is x0 + x_slope * t (and the inner
    // ellipse's is one more or less) that can reach the bitmap; b = b0 - t.
    // Up to two intervals, written to `out`; returns how many.
    int levels(Levels range, int64_t x0, int64_t x_slope, int64_t b0, Levels out[2]) const {
        // |a| and |a - 1| at level t are x0 + x_slope * t and one less (a > 0)
        // or one more (a < 0).
        auto x_of = [&](int64_t t, bool wider) {
            const int64_t x = x0 + x_slope * t;
            return static_cast<double>(wider == (x_slope > 0) ? x + x_slope : x);
        };
        auto outer = [&](int64_t t) {
            return ratio2(near_x_, x_of(t, true) + kMargin) +
                   ratio2(near_y_, static_cast<double>(b0 - t) + kMargin);
        };
        const Levels meets = convex_below(range, outer, 1.0, false);
        // The hole is empty where its semi-axes are not positive.
        Levels hole_exists = range;
        if (x_slope < 0) {
            hole_exists.last = x0 - 1 - static_cast<int64_t>(kMargin) - 1;  // narrow x >= 1
        } else {
            hole_exists.first = -x0 + static_cast<int64_t>(kMargin) + 1;
        }
        hole_exists = intersect(hole_exists, {range.first, b0 - 2 - static_cast<int64_t>(kMargin)});
        auto hole = [&](int64_t t) {
            return ratio2(far_x_, x_of(t, false) - kMargin) +
                   ratio2(far_y_, static_cast<double>(b0 - t - 1) - kMargin);
        };
        const Levels inside = convex_below(hole_exists, hole, 1.0, true);
        int count = 0;
        if (inside.first > inside.last) {
            out[count++] = meets;
        } else {
            out[count++] = intersect(meets, {meets.first, inside.first - 1});
            out[count++] = intersect(meets, {inside.last + 1, meets.last});
        }
        return count;
    }

    // Whether the flat level a x b (|a|, |a - 1| >= 4, b >= 1) can reach
    // the bitmap.
    bool flat_level_reaches(int64_t a, int64_t b) const {
        const double wide = static_cast<double>(a > 0 ? a : 1 - a);
        const double narrow = wide - 1, inner_b = static_cast<double>(b - 1);
        const double inner_a = static_cast<double>(a > 0 ? a - 1 : 1 - a);
        // The inner walk is late only on rows y with B2 x >= A2 y, so not on
        // rows above late_row, which its curve (within a row) leaves at
        // column late_x; its runs from there reach `drop` rows past the axis.
        double late_x = 0;
        if (inner_b >= 1) {
            const double late_row = inner_b * inner_b * (inner_a + 1) / (inner_a * inner_a);
            const double h = (late_row + 2) / inner_b;
            late_x = h < 1 ? inner_a * std::sqrt(1 - h * h) - 2 : 0;
        }
        if (late_x < 0) late_x = 0;
        const double drop = wide + 2 - late_x;
        if (near_x_ > wide + kMargin || near_y_ > static_cast<double>(b) + kMargin + drop)
            return false;
        const double hole_x = (late_x < narrow ? late_x : narrow) - kMargin;
        const double hole_y = inner_b - kMargin;
        return hole_x <= 0 || hole_y <= 0 || ratio2(far_x_, hole_x) + ratio2(far_y_, hole_y) >= 1;
    }

  private:
    static double ratio2(double distance, double semi_axis) {
        const double r = distance / semi_axis;
        return r * r;
    }
    double near_x_, far_x_, near_y_, far_y_;
};

}  // namespace
}  // namespace lumoria::shapes

int32_t draw_ellipse(int32_t dest, int32_t cx, int32_t cy, int32_t radius_x, int32_t radius_y,
                     int32_t thickness, int32_t /*reserved1*/, int32_t /*reserved2*/, int32_t red,
                     int32_t green, int32_t blue, int32_t alpha) {
    using namespace lumoria::shapes;
    const Canvas canvas(dest, red, green, blue, alpha);
    if (!canvas.drawable()) return 1;
    const int64_t a = radius_x, b = radius_y;
    // Level t < thickness (at least one) has semi-axes a - t and b - t; the
    // nesting ends before a semi-axis would leave the 32-bit range.
    const int64_t lowest = std::numeric_limits<int32_t>::min();
    int64_t last = (thickness > 1 ? thickness : 1) - 1;
    if (a - lowest < last) last = a - lowest;
    if (b - lowest < last) last = b - lowest;

    // Levels with b <= 0 set only (cx, cy + b) and (cx, cy - b).
    if (cx >= 0 && cx < canvas.width()) {
        const Levels single{b > 0 ? b : 0, last};
        const Levels on_rows[2] = {{cy + b - canvas.height() + 1, cy + b},
                                   {b - cy, b - cy + canvas.height() - 1}};
        for (const Levels& rows : on_rows) {
            const Levels t = intersect(single, rows);
            for (int64_t level = t.first; level <= t.last; ++level) {
                canvas.fill(cx, cy + b - level, 1, 1);
                canvas.fill(cx, cy - b + level, 1, 1);
            }
        }
    }

    // Levels with b >= 1 walk their rings, where they can reach the bitmap.
    const Levels walking{0, b - 1 < last ? b - 1 : last};
    const Reach reach(canvas, cx, cy);
    // The levels with |a| >= 4 either side of a = 0, each as a run of round
    // levels followed by one of flat ones (b shrinks faster than |a|).
    const Levels parts[2] = {intersect(walking, {0, a - 4}), intersect(walking, {a + 4, last})};
    Levels spans[8];
    int count = 0;
    for (const Levels& part : parts) {
        const int64_t x0 = part.first > a ? -a : a, x_slope = part.first > a ? 1 : -1;
        auto flat = [&](int64_t t) {
            const int64_t bt = b - t, xt = x0 + x_slope * t;
            return bt * bt <= 2 * xt + 16;
        };
        const int64_t first_flat = first_true(part.first, part.last, flat);
        count += reach.levels({part.first, first_flat - 1}, x0, x_slope, b, spans + count);
        for (int64_t t = first_flat; t <= part.last; ++t) {
            if (reach.flat_level_reaches(a - t, b - t)) draw_level(canvas, cx, cy, a - t, b - t);
        }
    }
    // Levels with a small semi-axis are always drawn.
    spans[count++] = intersect(walking, {a - 3, a + 3});
    spans[count++] = intersect(walking, {b - 3, b - 1});
    for (int i = 0; i < count; ++i) {
        const Levels& s = spans[i];
        if (!host::kPlainBuild && s.first <= s.last &&
            sweep_pays(canvas, cx, cy, a, b, s.first, s.last)) {
            sweep_levels(canvas, cx, cy, a, b, s.first, s.last);
            continue;
        }
        for (int64_t t = s.first; t <= s.last; ++t) draw_level(canvas, cx, cy, a - t, b - t);
    }
    return 1;
}
