#include "lumoria/shapes/ellipse_walk.h"

#include <cmath>
#include <limits>

namespace lumoria::shapes {
namespace {

// floor(sqrt(v)) of a double that may be negative or huge, as a guess for an
// exact search; clamped to [low, high].
int64_t root_guess(double v, int64_t low, int64_t high) {
    const double r = v > 0 ? std::floor(std::sqrt(v)) : 0.0;
    if (!(r < static_cast<double>(high))) return high;  // also catches NaN
    const int64_t g = static_cast<int64_t>(r);
    return g < low ? low : g;
}

// The closed forms hold while the curve the walk follows is no steeper than
// 45 degrees (region 1) or no flatter (region 2): then one move per step
// keeps up with it. For the region-1 curve, 2-scaled midpoint heights
// B2 x^2 + A2 (y - 1/2)^2 < A2 B2 + (less than 1/2), that holds up to
// x^2 = A2 (A2 B2 - 1/2) / (B2 (A2 + B2)); region 2 likewise with the axes
// swapped. Computed in double, with two columns to spare.
int64_t last_shallow(int64_t along, int64_t across) {
    const double a = static_cast<double>(along), b = static_cast<double>(across);
    const double limit = a * (a - 0.5 / b) / (a + b);
    return root_guess(limit, 2, std::numeric_limits<int64_t>::max()) - 2;
}

}  // namespace

Quarter::Quarter(int64_t a, int64_t b)
    : a_magnitude_(a < 0 ? -a : a),
      b_(b),
      a2_(a * a),
      b2_(b * b),
      round_a2_((a2_ + 2) / 4),
      round_b2_((b2_ + 2) / 4) {
    region1_closed_until_ = -1;
    if (a2_ > 0 && b_ >= 1) {
        // The proof of the closed form also needs rows of at least 1: the
        // last x with B2 (A2 - x^2) > round(A2 / 4).
        auto row_positive = [&](int64_t x) {
            return Wide::product(b2_, a2_ - x * x) > Wide(round_a2_);
        };
        const double a2 = static_cast<double>(a2_), b2 = static_cast<double>(b2_);
        int64_t x = root_guess(a2 - static_cast<double>(round_a2_) / b2, 0, a_magnitude_);
        while (x > 0 && !row_positive(x)) --x;
        while (row_positive(x + 1)) ++x;
        const int64_t shallow = last_shallow(a2_, b2_);
        region1_closed_until_ = shallow < x ? shallow : x;
    }
    region2_closed_below_ = -1;
    if (b2_ > 0) {
        region2_closed_below_ =
            a2_ == 0 ? std::numeric_limits<int64_t>::max() : last_shallow(b2_, a2_);
    }
}

int64_t Quarter::region1_row(int64_t x) const {
    // The highest y >= 1 with A2 (y^2 - y) < B2 (A2 - x^2) - round(A2 / 4).
    const Wide room = Wide::product(b2_, a2_ - x * x) - Wide(round_a2_);
    if (room <= Wide(0)) return 0;
    auto inside = [&](int64_t y) { return Wide::product(a2_, y * y - y) < room; };
    int64_t y = root_guess(0.25 + room.approximate() / static_cast<double>(a2_), 0, b_);
    if (y < 1) y = 1;
    while (y > 1 && !inside(y)) --y;
    while (y < b_ && inside(y + 1)) ++y;
    return y;
}

int64_t Quarter::region1_next_move(int64_t x, int64_t y, int64_t limit) const {
    if (x >= limit || region1_moves_in(x, y)) return x;
    if (!region1_moves_in(limit, y)) return limit;
    // The decision grows with x: from the smallest x' with
    // B2 (x' + 1)^2 >= -(A2 (y^2 - y - B2) + round(A2 / 4)).
    const Wide need = -(Wide::product(a2_, y * y - y - b2_) + Wide(round_a2_));
    int64_t guess =
        b2_ > 0 ? root_guess(need.approximate() / static_cast<double>(b2_), 0, limit) : limit;
    if (guess <= x) guess = x + 1;
    if (guess > limit) guess = limit;
    while (guess - 1 > x && region1_moves_in(guess - 1, y)) --guess;
    while (!region1_moves_in(guess, y)) ++guess;
    return guess;
}

int64_t Quarter::region2_column(int64_t y) const {
    // The largest x >= 1 with B2 (x^2 - x) <= A2 (B2 - y^2) - round(B2 / 4).
    const Wide room = Wide::product(a2_, b2_ - y * y) - Wide(round_b2_);
    if (room < Wide(0)) return 0;
    auto inside = [&](int64_t x) { return Wide::product(b2_, x * x - x) <= room; };
    const int64_t widest = a_magnitude_ + 1;
    int64_t x = root_guess(0.25 + room.approximate() / static_cast<double>(b2_), 0, widest);
    if (x < 1) x = 1;
    while (x > 1 && !inside(x)) --x;
    while (x < widest && inside(x + 1)) ++x;
    return x;
}

int64_t Region1Walk::row(const Quarter& q, int64_t x) {
    const int64_t until = q.region1_closed_until();
    if (x <= until) return q.region1_row(x);
    int64_t at = until < 0 ? 0 : until;
    int64_t y = until < 0 ? q.b() : q.region1_row(until);
    while (at < x) {
        // The row stays until a step moves in; once the walk is late for this
        // ellipse and moving in, it moves in at every further step (its
        // decision value only grows).
        at = q.region1_next_move(at, y, x);
        if (at == x) break;
        if (!q.region1_goes_on(at, y)) return y - (x - at);
        --y;
        ++at;
    }
    return y;
}

Region1Walk::Region1Walk(const Quarter& outer, const Quarter& inner)
    : outer_(outer), inner_(inner) {
    if (!outer.region1_goes_on(0, outer.b())) return;  // no region-1 step
    auto stops = [&](int64_t x) { return !outer.region1_goes_on(x, row(outer, x)); };
    int64_t x = 0, y = outer.b();
    const int64_t until = outer.region1_closed_until();
    if (until >= 1) {
        x = first_true(1, until, stops);
        if (x <= until) {
            end_x_ = x;
        } else {
            x = until;
            y = outer.region1_row(until);
        }
    }
    if (end_x_ == 0) {
        for (; outer.region1_goes_on(x, y); ++x) {
            if (outer.region1_moves_in(x, y)) --y;
        }
        end_x_ = x;
    }
    auto late = [&](int64_t at) { return !inner.region1_goes_on(at, row(inner, at)); };
    inner_resume_x_ = first_true(0, end_x_, late);
    if (inner_resume_x_ > end_x_) inner_resume_x_ = end_x_;
}

void Region1Walk::next(State& s) const {
    const int64_t x = s.run.p++;
    if (outer_.region1_moves_in(x, s.run.hi)) --s.run.hi;
    if (inner_.region1_moves_in(x, s.run.lo)) --s.run.lo;
}

Region2Walk::Track::Track(const Quarter& quarter, int64_t x, int64_t y)
    : q(quarter), start_x(x), start_y(y), anchor_x(x), anchor_y(-1) {
    const int64_t below = q.region2_closed_below();
    if (below < 0 || y < 0) return;
    anchor_y = below < y ? below : y;
    for (int64_t at = y; at > anchor_y; --at) {
        if (q.region2_moves_out(anchor_x, at)) ++anchor_x;
    }
}

int64_t Region2Walk::Track::column(int64_t y) const {
    int64_t x = start_x, at = start_y;
    if (anchor_y >= 0 && y < anchor_y) {
        // From the anchor down, a step moves out exactly when the column is
        // left of the closed-form column of the new row: the walk either
        // waits for that column (when ahead of it) or climbs towards it one
        // column per row (when behind).
        at = y < 0 ? 0 : y;
        x = q.region2_column(at);
        const int64_t climbed = anchor_x + (anchor_y - at);
        if (climbed < x) x = climbed;
        if (x < anchor_x) x = anchor_x;
    }
    for (; at > y; --at) {
        if (q.region2_moves_out(x, at)) ++x;
    }
    return x;
}

Region2Walk::Region2Walk(const Quarter& outer, const Quarter& inner, const Region1Walk& region1)
    : p_origin(region1.end_y()),
      outer_(outer, region1.end_x(), region1.end_y()),
      inner_(inner, region1.inner_resume_x(), region1.inner_resume_y()) {}

Region2Walk::State Region2Walk::at(int64_t s) const {
    const int64_t y = p_origin - s, inner_y = inner_.start_y - s;
    return State{{y, inner_.column(inner_y), outer_.column(y)}, inner_y};
}

void Region2Walk::next(State& s) const {
    if (outer_.q.region2_moves_out(s.run.hi, s.run.p)) ++s.run.hi;
    if (inner_.q.region2_moves_out(s.run.lo, s.inner_y)) ++s.run.lo;
    --s.run.p;
    --s.inner_y;
}

}  // namespace lumoria::shapes
