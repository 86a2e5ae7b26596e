// The octant walk of a ring and the rules of its runs: the mirror images,
// the steps each skips, and the arc that keeps or drops them. Shared by the
// walk that skips to the bitmap (circle.cc) and the one that walks the levels
// together (circle_sweep.cc).
#pragma once

#include <cmath>
#include <cstdint>

#include "lumoria/shapes/runs.h"

namespace lumoria::shapes {

// floor(sqrt(v)) for 0 <= v < 2^62, exactly.
inline int64_t isqrt(int64_t v) {
    int64_t x = static_cast<int64_t>(std::sqrt(static_cast<double>(v)));
    while (x * x > v) --x;
    while ((x + 1) * (x + 1) <= v) ++x;
    return x;
}

// One ring's octant walk, with r >= 1 (r < 2^31).
//
// The walk keeps e = y^2 + x^2 - (r^2 + r) for each radius, and after each
// step y + 1 moves x in by one when e >= 0. While the outer walk draws
// (x >= y) one move always suffices, so its column is the largest x with
// x^2 + y^2 < r^2 + r. The inner walk keeps that form until its column meets
// the diagonal; there it can fall behind the inner circle (one move per step
// no longer suffices), which lasts only the few steps until the outer walk
// ends, and those are walked.
class RingWalk {
  public:
    struct State {
        Run run;  // p = y, lo = inner column, hi = outer column
    };
    static constexpr int64_t p_origin = 0, p_slope = 1;
    static constexpr bool kSpanGrows = false;

    explicit RingWalk(int64_t r)
        : inner_radius_(r - 1), outer_limit_(r * r + r), inner_limit_((r - 1) * r) {
        last_ = last_step(r);
        // The inner column keeps its closed form up to the first step whose
        // column is at or left of the diagonal: y >= isqrt(limit - 1 - y^2).
        closed_inner_until_ = 0;
        if (inner_radius_ > 0) {
            int64_t y = isqrt(inner_limit_ / 2);
            while (y > 0 && 2 * (y - 1) * y + 2 > inner_limit_) --y;
            while (2 * y * (y + 1) + 2 <= inner_limit_) ++y;
            closed_inner_until_ = y;
        }
    }

    int64_t first() const { return 0; }
    int64_t last() const { return last_; }
    // The last step the ring of radius r draws: the outer column is at or
    // right of the diagonal, 2 y^2 < r^2 + r.
    static int64_t last_step(int64_t r) { return isqrt((r * r + r - 1) / 2); }

    State at(int64_t y) const {
        const int64_t anchor = y < closed_inner_until_ ? y : closed_inner_until_;
        State s{{anchor, 0, isqrt(outer_limit_ - 1 - anchor * anchor)}};
        s.run.lo = anchor == 0 ? inner_radius_ : isqrt(inner_limit_ - 1 - anchor * anchor);
        while (s.run.p < y) next(s);
        return s;
    }

    void next(State& s) const {
        const int64_t y = ++s.run.p;
        if (y * y - outer_limit_ + s.run.hi * s.run.hi >= 0) --s.run.hi;
        if (y * y - inner_limit_ + s.run.lo * s.run.lo >= 0) --s.run.lo;
    }

  private:
    int64_t inner_radius_, outer_limit_, inner_limit_;
    int64_t last_, closed_inner_until_;
};

// The arc, in whole degrees counter-clockwise from straight up.
class Arc {
  public:
    Arc(int32_t start, int32_t end) : start_(normalised(start)), end_(normalised(end)) {
        if (start_ == 0 && end_ == 0) end_ = 360;
    }
    // Every run's angle lies in 0..360, so the full circle needs no angles.
    bool full() const { return start_ == 0 && end_ == 360; }
    bool contains(int64_t angle) const {
        if (end_ > start_) return start_ <= angle && angle <= end_;
        if (end_ < start_) return angle <= end_ || angle >= start_;
        return false;
    }

  private:
    static int32_t normalised(int32_t degrees) {
        int32_t d = degrees % 360;
        if (d < 0) d += 360;
        return d;
    }
    int32_t start_, end_;
};

// The eight mirror images of the octant's run, with the angle each stands for
// (base + sign * a for the step's approximate angle a) and the steps it skips
// so that no run is drawn twice on the axes and the diagonal.
struct OctantRun {
    Mirror mirror;
    int32_t base, sign;
    bool needs_column, needs_row, off_diagonal;  // x != 0, y != 0, x != y
};
constexpr OctantRun kOctantRuns[8] = {
    {{+1, +1, false}, 270, -1, false, false, false}, {{-1, +1, false}, 90, +1, true, false, false},
    {{+1, -1, false}, 270, +1, false, true, false},  {{-1, -1, false}, 90, -1, true, true, false},
    {{+1, +1, true}, 180, +1, false, false, true},   {{-1, +1, true}, 180, -1, false, false, true},
    {{+1, -1, true}, 360, -1, false, false, true},   {{-1, -1, true}, 0, +1, false, false, true},
};

// Whether mirror image `o` skips its run at step y, where the ring's outer
// column is x, so as not to draw the run of another image again.
inline bool skips(const OctantRun& o, int64_t y, int64_t x) {
    return (o.needs_column && x == 0) || (o.needs_row && y == 0) || (o.off_diagonal && x == y);
}

// Whether mirror image `o` draws its run at step y of the ring of radius r,
// whose outer column is x there.
inline bool draws(const OctantRun& o, const Arc& arc, int64_t r, int64_t y, int64_t x) {
    if (skips(o, y, x)) return false;
    // The step's angle from the nearest axis, about 43 at the diagonal.
    return arc.full() || arc.contains(o.base + o.sign * (y * 61 / r));
}

}  // namespace lumoria::shapes
