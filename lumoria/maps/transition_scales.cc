#include "lumoria/maps/transition_scales.h"

#include <algorithm>

namespace lumoria {
namespace {

constexpr int64_t kMaxAlphaFactor = 255;  // alphas run to 255

// The largest fraction p/q <= t/s with q <= 255, for 0 < t < s, found by
// walking the mediants between p/q and an upper bound c/d > t/s, many
// steps at a time. Every product stays below 2^40.
struct Fraction {
    int64_t p, q;
};
Fraction best_lower_fraction(int64_t t, int64_t s) {
    int64_t p = 0, q = 1, c = 1, d = 1;  // p/q <= t/s < c/d
    while (q + d <= kMaxAlphaFactor) {
        const int64_t below = t * q - p * s;  // (t/s - p/q) * q * s, >= 0
        const int64_t above = c * s - t * d;  // (c/d - t/s) * d * s, > 0
        if ((p + c) * s <= t * (q + d)) {
            // The mediant is no greater than t/s: raise p/q by as many
            // multiples of c/d as stay below it and within the bound.
            int64_t k = below / above;
            if (k > (kMaxAlphaFactor - q) / d) k = (kMaxAlphaFactor - q) / d;
            p += k * c;
            q += k * d;
        } else {
            // Lower c/d by as many multiples of p/q as stay above t/s.
            int64_t k = below == 0 ? (kMaxAlphaFactor - d) / q : (above - 1) / below;
            if (k > (kMaxAlphaFactor - d) / q) k = (kMaxAlphaFactor - d) / q;
            c += k * p;
            d += k * q;
        }
    }
    return {p, q};
}

}  // namespace

// (alpha * t) / s, truncated, changes only where alpha * t / s crosses a
// whole number, so for alphas up to 255 it equals (alpha * p) / q, with p/q
// the largest fraction of denominator at most 255 not above t/s. The next
// such fraction lies at least 1 / (255 * 254) above p/q, and 257 * scale /
// 2^24 for the scale below lies in [p/q, p/q + 257 / 2^24), inside that gap:
// every alpha gives the same whole part under it as under t/s.
uint16_t share_scale(int32_t t, int32_t softness) {
    if (t >= softness) return kWholeAlpha;
    const Fraction f = best_lower_fraction(t, softness);
    constexpr int64_t kUnit = int64_t{1} << 24;
    return static_cast<uint16_t>((f.p * kUnit + 257 * f.q - 1) / (257 * f.q));
}

namespace {

// Sets the window of 64 mask values, if one holds every change.
TransitionScales with_window(TransitionScales scales) {
    int first_change = 256, last_change = 0;
    for (int m = 1; m < 256; ++m) {
        if (scales.by_mask[m] == scales.by_mask[m - 1]) continue;
        if (first_change == 256) first_change = m;
        last_change = m;
    }
    // The window must hold the value before the first change and the last.
    scales.windowed = first_change == 256 || last_change - first_change + 2 <= 64;
    scales.window = 0;
    if (first_change < 256) scales.window = static_cast<uint8_t>(std::min(first_change - 1, 192));
    return scales;
}

}  // namespace

TransitionScales fade_in_scales(const TransitionFrame& frame) {
    TransitionScales scales;
    for (int m = 0; m < 256; ++m) {
        const int32_t t = threshold(frame, static_cast<uint8_t>(m));
        scales.by_mask[m] = t > 0 && t <= frame.softness ? share_scale(t, frame.softness)
                            : t <= 0                     ? 0
                                                         : kWholeAlpha;
    }
    return with_window(scales);
}

TransitionScales fade_out_scales(const TransitionFrame& frame) {
    TransitionScales scales;
    for (int m = 0; m < 256; ++m) {
        const int32_t t = threshold(frame, static_cast<uint8_t>(m));
        scales.by_mask[m] = t > 0 && t <= frame.softness ? share_scale(t, frame.softness)
                            : t > frame.softness         ? kWholeAlpha
                                                         : 0;
    }
    return with_window(scales);
}

}  // namespace lumoria
