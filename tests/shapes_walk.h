// The circle and ellipse walks run plainly, step by step from the axis and
// level by level, in 32-bit integers as a 32-bit machine computes them: the
// reference draw_circle and draw_ellipse are held against. Every run goes to
// fill(x, y, width, height), in the order the walks produce them.
//
// Callers keep the arguments small (semi-axes and radii of a few hundred, a
// centre within some millions of the bitmap): there no value wraps, and the
// walks are a few thousand steps.
#pragma once

#include <cmath>
#include <compare>
#include <cstdint>

namespace shapes_walk {

// A signed 32-bit integer whose sums and products wrap.
class I32 {
  public:
    constexpr I32(int32_t v = 0) : v_(v) {}  // NOLINT: the walks mix both freely
    constexpr int32_t value() const { return v_; }
    double real() const { return static_cast<double>(v_); }

    friend I32 operator+(I32 a, I32 b) { return wrap(uint32_t(a.v_) + uint32_t(b.v_)); }
    friend I32 operator-(I32 a, I32 b) { return wrap(uint32_t(a.v_) - uint32_t(b.v_)); }
    friend I32 operator-(I32 a) { return I32(0) - a; }
    friend I32 operator*(I32 a, I32 b) { return wrap(uint32_t(a.v_) * uint32_t(b.v_)); }
    // Truncating; the divisor is never 0 or -1 here.
    friend I32 operator/(I32 a, I32 b) { return I32(a.v_ / b.v_); }
    friend auto operator<=>(I32 a, I32 b) = default;
    friend bool operator==(I32 a, I32 b) = default;

  private:
    static I32 wrap(uint32_t v) { return I32(static_cast<int32_t>(v)); }
    int32_t v_;
};

// Nearest integer, halves up, of a value in the 32-bit range.
inline I32 round_half_up(double v) { return I32(static_cast<int32_t>(std::floor(v + 0.5))); }

inline int32_t normalised_degrees(int32_t degrees) {
    int32_t d = degrees % 360;
    while (d < 0) d += 360;
    return d;
}

template <class Fill>
void circle(Fill fill, int32_t cx, int32_t cy, int32_t radius, int32_t thickness,
            int32_t start_angle, int32_t end_angle) {
    auto run = [&](I32 x, I32 y, I32 w, I32 h) {
        fill(x.value(), y.value(), w.value(), h.value());
    };
    for (;;) {  // one ring per level of thickness
        const int32_t start = normalised_degrees(start_angle);
        int32_t end = normalised_degrees(end_angle);
        if (start == 0 && end == 0) end = 360;
        auto in_arc = [&](I32 angle) {
            const int32_t a = angle.value();
            if (end > start) return start <= a && a <= end;
            if (end < start) return a <= end || a >= start;
            return false;
        };
        const I32 r = I32(radius) - 1, q = r - 1;
        if (r == 0) {
            run(cx, cy, 1, 1);
            return;
        }
        I32 y = 0, xo = r, eo = -r, xi = q, ei = -q;
        while (xo >= y) {
            const I32 len = xo - xi;
            const I32 a = y * 61 / r;
            if (in_arc(I32(270) - a)) run(I32(cx) + xo + 1 - len, I32(cy) + y, len, 1);
            if (in_arc(I32(90) + a) && xo != 0) run(I32(cx) - xo, I32(cy) + y, len, 1);
            if (in_arc(I32(270) + a) && y != 0) run(I32(cx) + xo + 1 - len, I32(cy) - y, len, 1);
            if (in_arc(I32(90) - a) && xo != 0 && y != 0) run(I32(cx) - xo, I32(cy) - y, len, 1);
            if (xo != y) {
                if (in_arc(I32(180) + a)) run(I32(cx) + y, I32(cy) + xo + 1 - len, 1, len);
                if (in_arc(I32(180) - a)) run(I32(cx) - y, I32(cy) + xo + 1 - len, 1, len);
                if (in_arc(I32(360) - a)) run(I32(cx) + y, I32(cy) - xo, 1, len);
                if (in_arc(a)) run(I32(cx) - y, I32(cy) - xo, 1, len);
            }
            eo = eo + I32(2) * y + 1;
            ei = ei + I32(2) * y + 1;
            y = y + 1;
            if (eo >= 0) {
                eo = eo - (I32(2) * xo - 1);
                xo = xo - 1;
            }
            if (ei >= 0) {
                ei = ei - (I32(2) * xi - 1);
                xi = xi - 1;
            }
        }
        if (thickness <= 1) return;
        radius = (I32(radius) - 1).value();
        thickness = thickness - 1;
        start_angle = start;
        end_angle = end;
    }
}

template <class Fill>
void ellipse(Fill fill, int32_t cx, int32_t cy, int32_t radius_x, int32_t radius_y,
             int32_t thickness) {
    auto run = [&](I32 x, I32 y, I32 w, I32 h) {
        fill(x.value(), y.value(), w.value(), h.value());
    };
    const I32 x0 = cx, y0 = cy;
    for (;;) {  // one ring per level of thickness
        const I32 a = radius_x, b = radius_y, ai = a - 1, bi = b - 1;
        const I32 a2 = a * a, b2 = b * b, ai2 = ai * ai, bi2 = bi * bi;
        const I32 two_a2 = I32(2) * a2, two_b2 = I32(2) * b2;
        const I32 two_ai2 = I32(2) * ai2, two_bi2 = I32(2) * bi2;
        I32 xo = 0, yo = b, xi = 0, yi = bi;
        I32 pxo = 0, pyo = two_a2 * b, pxi = 0, pyi = two_ai2 * bi;
        I32 k = 0, m = 0;

        run(x0 + xo, y0 + yo, 1, 1);
        run(x0 - xo, y0 + yo, 1, 1);
        run(x0 + xo, y0 - yo, 1, 1);
        run(x0 - xo, y0 - yo, 1, 1);

        I32 eo = round_half_up((b2 - a2 * b).real() + 0.25 * a2.real());
        I32 ei = round_half_up((bi2 - ai2 * bi).real() + 0.25 * ai2.real());
        while (pxo < pyo) {
            const bool late = pxi >= pyi;
            xo = xo + 1;
            xi = xi + 1;
            pxo = pxo + two_b2;
            pxi = pxi + two_bi2;
            if (late) k = k + 1;
            if (eo < 0) {
                eo = eo + b2 + pxo;
            } else {
                yo = yo - 1;
                pyo = pyo - two_a2;
                eo = eo + b2 + pxo - pyo;
            }
            if (ei < 0) {
                ei = ei + bi2 + pxi;
            } else {
                yi = yi - 1;
                pyi = pyi - two_ai2;
                ei = ei + bi2 + pxi - pyi;
                if (late) m = m + 1;
            }
            const I32 len = yo - yi;
            run(x0 + xo, y0 + yo + 1 - len, 1, len);
            run(x0 - xo, y0 + yo + 1 - len, 1, len);
            run(x0 + xo, y0 - yo, 1, len);
            run(x0 - xo, y0 - yo, 1, len);
        }

        xi = xi - k;
        pxi = pxi - two_bi2 * k;
        yi = yi + m;
        pyi = pyi + two_ai2 * m;

        eo = round_half_up(b2.real() * (xo.real() + 0.5) * (xo.real() + 0.5) +
                           ((yo - 1) * a2 * (yo - 1)).real() - (a2 * b2).real());
        ei = round_half_up(bi2.real() * (xi.real() + 0.5) * (xi.real() + 0.5) +
                           ((yi - 1) * ai2 * (yi - 1)).real() - (ai2 * bi2).real());
        while (yo > 0) {
            yo = yo - 1;
            yi = yi - 1;
            pyo = pyo - two_a2;
            pyi = pyi - two_ai2;
            if (eo > 0) {
                eo = eo + a2 - pyo;
            } else {
                xo = xo + 1;
                pxo = pxo + two_b2;
                eo = eo + a2 - pyo + pxo;
            }
            if (ei > 0) {
                ei = ei + ai2 - pyi;
            } else {
                xi = xi + 1;
                pxi = pxi + two_bi2;
                ei = ei + ai2 - pyi + pxi;
            }
            const I32 len = xo - xi;
            run(x0 + xo + 1 - len, y0 + yo, len, 1);
            run(x0 - xo, y0 + yo, len, 1);
            run(x0 + xo + 1 - len, y0 - yo, len, 1);
            run(x0 - xo, y0 - yo, len, 1);
        }

        if (thickness <= 1) return;
        radius_x = (a - 1).value();
        radius_y = (b - 1).value();
        thickness = thickness - 1;
    }
}

}  // namespace shapes_walk
