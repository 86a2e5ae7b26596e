// Per-pixel compositing shared by the blended block transfers: the pixel
// value type, the alpha product, the alpha accumulation, and the case order
// that the alpha-over rule and the blend modes have in common.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "host/host_bitmap.h"
#include "lumoria/int32.h"
#include "lumoria/transfer/modes.h"
#include "lumoria/wrap_int.h"

namespace lumoria {

// One pixel's bytes, indexed by host::kBlue .. host::kAlpha.
struct Pixel {
    uint8_t c[4];
    uint8_t alpha() const { return c[host::kAlpha]; }
};

constexpr int kColourChannels[] = {host::kBlue, host::kGreen, host::kRed};

inline Pixel load(const uint8_t* p) {
    Pixel v;
    std::memcpy(v.c, p, sizeof v.c);
    return v;
}
inline void store(uint8_t* p, Pixel v) { std::memcpy(p, v.c, sizeof v.c); }
inline uint8_t* pixel_at(uint8_t* row, int32_t i) {
    return row + static_cast<size_t>(i) * host::kPixelBytes;
}
inline const uint8_t* pixel_at(const uint8_t* row, int32_t i) {
    return row + static_cast<size_t>(i) * host::kPixelBytes;
}

// The alpha product P = opacity x source alpha, wrapped to 32 bits, and the
// effective alpha e = P / 255. P = 65025 is a fully opaque draw.
struct Weight {
    int32_t product;
    int32_t effective;
};
constexpr int32_t kFullProduct = 255 * 255;

inline Weight weight_of(int32_t opacity, uint8_t source_alpha) {
    const int32_t product = wrap_mul(opacity, source_alpha);
    return {product, product / 255};  // cannot overflow
}

// Drawing raises the destination alpha by e * e / 255; repeated drawing
// saturates at 255. With an opacity far out of range the square wraps.
inline uint8_t accumulate_alpha(uint8_t alpha, WrapInt e) {
    const WrapInt sum = alpha + (e * e) / 255;
    return sum >= 255 ? 255 : low8(sum);
}

// Saturations of a channel value; whatever is left unsaturated stores its
// low 8 bits.
inline uint8_t at_most_255(WrapInt v) { return v > 255 ? 255 : low8(v); }
inline uint8_t at_least_0(WrapInt v) { return v < 0 ? 0 : low8(v); }
inline uint8_t clamped(WrapInt v) { return v < 0 ? 0 : at_most_255(v); }

// s weighted by e over d, as one quotient of the sum.
inline WrapInt mix(WrapInt d, WrapInt s, WrapInt e) { return (s * e + d * (255 - e)) / 255; }

// A weighted rule describes itself with its mode, kMode, whose traits give
// its case order (or with those traits, kTraits, where it is no blend mode),
// and:
//   static uint8_t full(WrapInt d, WrapInt s)               channel when P = 65025
//   static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) channel for e != 0
// The case order of the alpha-over rule, shared by the weighted blend modes:
// a full draw; then a transparent destination (where the mode has a rule for
// it, even at P = 0); then nothing below e = 1; then the weighted colour and
// the alpha accumulation.
template <class Mode>
Pixel weighted_pixel(Pixel d, Pixel s, Weight w) {
    constexpr ModeTraits kTraits = traits_of_rule<Mode>();
    Pixel out = d;
    if (w.product == kFullProduct) {
        for (int ch : kColourChannels) out.c[ch] = Mode::full(d.c[ch], s.c[ch]);
        if (!kTraits.full_keeps_alpha) out.c[host::kAlpha] = 255;
        return out;
    }
    if (kTraits.on_transparent != OnTransparent::kBlend && d.alpha() == 0) {
        const bool source = kTraits.on_transparent == OnTransparent::kSourceColour;
        for (int ch : kColourChannels) out.c[ch] = source ? s.c[ch] : 0;
        out.c[host::kAlpha] = low8(w.effective);
        return out;
    }
    if (w.effective == 0) return d;  // P = 0, or too faint to show
    for (int ch : kColourChannels) out.c[ch] = Mode::weighted(d.c[ch], s.c[ch], w.effective);
    if (!(kTraits.black_red_keeps_alpha && d.c[host::kRed] == 0))
        out.c[host::kAlpha] = accumulate_alpha(d.alpha(), w.effective);
    return out;
}

// The plain row walk of a per-pixel rule; a RowFunction whose parameter is
// the opacity. Each source pixel is read before its destination pixel is
// written, since the two may be the same pixel.
template <Pixel (*Rule)(Pixel d, Pixel s, Weight w)>
void composite_row(uint8_t* dest, const uint8_t* src, int32_t width, int32_t opacity) {
    for (int32_t i = 0; i < width; ++i) {
        const Pixel s = load(pixel_at(src, i));
        uint8_t* d = pixel_at(dest, i);
        store(d, Rule(load(d), s, weight_of(opacity, s.alpha())));
    }
}

}  // namespace lumoria
