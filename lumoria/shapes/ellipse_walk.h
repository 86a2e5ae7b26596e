// The midpoint walks of an elliptical ring: an outer ellipse and an inner one
// advanced in step with it, in two regions (region 1 steps x outwards from the
// top, region 2 steps y down to the axis).
//
// The walk as the drawing defines it keeps running decision values; each is a
// fixed function of the position (given with Quarter below), so a position is
// the whole state. Most positions also have a closed form, which lets the
// drawing jump straight to the steps that reach the bitmap; near the ends of
// the regions, where a walk can fall behind its curve, a few steps are walked.
#pragma once

#include <cstdint>

#include "lumoria/shapes/runs.h"
#include "lumoria/shapes/wide.h"

namespace lumoria::shapes {

// One ellipse of semi-axes |a| and b (b the vertical one, |a|, |b| <= 2^31)
// and its walk's decisions and closed forms. With A2 = a^2, B2 = b^2:
//   region 1 at (x, y): e = B2 (x + 1)^2 + A2 (y^2 - y) - A2 B2 + round(A2 / 4)
//   region 2 at (x, y): e = B2 (x^2 + x) + round(B2 / 4) + A2 (y - 1)^2 - A2 B2
// (the rounded start values of the two regions, carried forward exactly).
class Quarter {
  public:
    Quarter(int64_t a, int64_t b);

    int64_t b() const { return b_; }

    // Region 1 goes on from (x, y) while 2 B2 x < 2 A2 y; past that point the
    // walk is "late" for this ellipse.
    bool region1_goes_on(int64_t x, int64_t y) const {
        return Wide::product(b2_, x) < Wide::product(a2_, y);
    }
    // Whether the region-1 step from (x, y) to x + 1 also moves y in.
    bool region1_moves_in(int64_t x, int64_t y) const {
        return Wide::product(b2_, (x + 1) * (x + 1)) + Wide::product(a2_, y * y - y - b2_) +
                   Wide(round_a2_) >=
               Wide(0);
    }
    // The first column x' >= x whose region-1 step moves in from row y, or
    // `limit` if that is later (the row stays until then).
    int64_t region1_next_move(int64_t x, int64_t y, int64_t limit) const;
    // Whether the region-2 step from (x, y) to y - 1 also moves x out.
    bool region2_moves_out(int64_t x, int64_t y) const {
        return Wide::product(b2_, x * x + x) + Wide::product(a2_, (y - 1) * (y - 1) - b2_) +
                   Wide(round_b2_) <=
               Wide(0);
    }

    // The region-1 row at column x: the highest y whose midpoint (x, y - 1/2)
    // lies inside. It is where the walk is for x <= region1_closed_until().
    int64_t region1_row(int64_t x) const;
    int64_t region1_closed_until() const { return region1_closed_until_; }

    // The region-2 column of row y: the largest x >= 0 whose midpoint
    // (x - 1/2, y) lies inside, else 0. Below region2_closed_below() it moves
    // out by at most one column per row (its curve is steeper than 45
    // degrees there), or -1 when there is no such row.
    int64_t region2_column(int64_t y) const;
    int64_t region2_closed_below() const { return region2_closed_below_; }

  private:
    int64_t a_magnitude_, b_;
    int64_t a2_, b2_;
    int64_t round_a2_, round_b2_;  // round(A2 / 4), round(B2 / 4), halves up
    int64_t region1_closed_until_, region2_closed_below_;
};

// Region 1 of one ring: steps x = 1 .. end_x(); the run of step x covers rows
// from the inner walk's row + 1 to the outer walk's row, on columns +-x.
class Region1Walk {
  public:
    struct State {
        Run run;  // p = x, lo = inner row, hi = outer row
    };
    static constexpr int64_t p_origin = 0, p_slope = 1;
    static constexpr bool kSpanGrows = false;

    Region1Walk(const Quarter& outer, const Quarter& inner);

    int64_t first() const { return 1; }
    int64_t last() const { return end_x_; }
    State at(int64_t x) const { return State{{x, row(inner_, x), row(outer_, x)}}; }
    void next(State& s) const;

    // Where region 2 starts: the outer walk's last position, and the inner
    // walk's position taken back to where it first was late (its steps after
    // that belong to region 2 and are redone there).
    int64_t end_x() const { return end_x_; }
    int64_t end_y() const { return row(outer_, end_x_); }
    int64_t inner_resume_x() const { return inner_resume_x_; }
    int64_t inner_resume_y() const { return row(inner_, inner_resume_x_); }

  private:
    // The walk's row at step x, from its closed form or walked from the end
    // of that.
    static int64_t row(const Quarter& q, int64_t x);

    const Quarter& outer_;
    const Quarter& inner_;
    int64_t end_x_ = 0, inner_resume_x_ = 0;
};

// Region 2 of one ring: steps s = 1 .. last(), the outer row going down from
// where region 1 ended to 0 and the inner row with it; the run of step s
// covers columns from the inner walk's column + 1 to the outer one.
class Region2Walk {
  public:
    struct State {
        Run run;  // p = outer row, lo = inner column, hi = outer column
        int64_t inner_y;
    };
    static constexpr int64_t p_slope = -1;
    static constexpr bool kSpanGrows = true;
    const int64_t p_origin;  // the outer row where region 1 ended

    Region2Walk(const Quarter& outer, const Quarter& inner, const Region1Walk& region1);

    int64_t first() const { return 1; }
    int64_t last() const { return p_origin; }
    State at(int64_t s) const;
    void next(State& s) const;

  private:
    // One ellipse's region-2 walk from its start position.
    struct Track {
        const Quarter& q;
        int64_t start_x, start_y;
        int64_t anchor_x, anchor_y;  // a walked position below which the
                                     // closed form holds; anchor_y < 0: none
        Track(const Quarter& q, int64_t x, int64_t y);
        int64_t column(int64_t y) const;
    };
    Track outer_, inner_;
};

}  // namespace lumoria::shapes
