// A signed 128-bit integer for the ellipse walk, whose decision values are
// products of squared semi-axes: up to about 2^125 for semi-axes of 2^31.
// Portable (the 32-bit build has no native 128-bit type); only what the walk
// needs: products of two 64-bit values, sums, differences and comparisons.
#pragma once

#include <cstdint>

namespace lumoria::shapes {

class Wide {
  public:
    constexpr Wide() = default;
    constexpr Wide(int64_t v)  // NOLINT: widening is always exact
        : high_(v < 0 ? ~uint64_t{0} : 0), low_(static_cast<uint64_t>(v)) {}

    // a * b, exact.
    static Wide product(int64_t a, int64_t b) {
        const bool negative = (a < 0) != (b < 0);
        const Wide magnitude = unsigned_product(magnitude_of(a), magnitude_of(b));
        return negative ? -magnitude : magnitude;
    }

    friend Wide operator+(Wide a, Wide b) {
        Wide r;
        r.low_ = a.low_ + b.low_;
        r.high_ = a.high_ + b.high_ + (r.low_ < a.low_ ? 1 : 0);
        return r;
    }
    friend Wide operator-(Wide a) {
        Wide r;
        r.low_ = ~a.low_ + 1;
        r.high_ = ~a.high_ + (r.low_ == 0 ? 1 : 0);
        return r;
    }
    friend Wide operator-(Wide a, Wide b) { return a + -b; }

    friend bool operator<(Wide a, Wide b) {
        if (a.high_ != b.high_)
            return static_cast<int64_t>(a.high_) < static_cast<int64_t>(b.high_);
        return a.low_ < b.low_;
    }
    friend bool operator>(Wide a, Wide b) { return b < a; }
    friend bool operator<=(Wide a, Wide b) { return !(b < a); }
    friend bool operator>=(Wide a, Wide b) { return !(a < b); }

    // Nearest double, for first guesses that are then checked exactly.
    double approximate() const {
        return static_cast<double>(static_cast<int64_t>(high_)) * 18446744073709551616.0 +
               static_cast<double>(low_);
    }

  private:
    static uint64_t magnitude_of(int64_t v) {
        return v < 0 ? ~static_cast<uint64_t>(v) + 1 : static_cast<uint64_t>(v);
    }
    static Wide unsigned_product(uint64_t a, uint64_t b) {
        const uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32;
        const uint64_t b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
        const uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
        const uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
        Wide r;
        r.low_ = (middle << 32) | (p00 & 0xFFFFFFFFu);
        r.high_ = p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
        return r;
    }

    uint64_t high_ = 0;
    uint64_t low_ = 0;
};

}  // namespace lumoria::shapes
