// Blend modes 0 to 10 are weighted modes: a full draw, an optional rule for
// a transparent destination, then the weighted colour (d: destination
// channel, s: source channel, e: effective alpha). Difference and dissolve
// follow rules of their own.
#include "lumoria/transfer/blend_modes.h"

#include <cstdlib>

#include "lumoria/transfer/composite.h"

namespace lumoria {
namespace {

struct Normal : ModeDefaults {
    static constexpr OnTransparent kOnTransparent = OnTransparent::kSourceColour;
    static uint8_t full(WrapInt, WrapInt s) { return low8(s); }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) { return low8(mix(d, s, e)); }
};

struct Add : ModeDefaults {
    static constexpr bool kFullKeepsAlpha = true;
    static constexpr OnTransparent kOnTransparent = OnTransparent::kSourceColour;
    static uint8_t full(WrapInt d, WrapInt s) { return at_most_255(d + s); }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        return at_most_255(d + (s * e) / 255);
    }
};

struct Subtract : ModeDefaults {
    static constexpr bool kFullKeepsAlpha = true;
    static constexpr OnTransparent kOnTransparent = OnTransparent::kBlack;
    static uint8_t full(WrapInt d, WrapInt s) { return at_least_0(d - s); }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        return at_least_0(d - (s * e) / 255);
    }
};

struct Multiply : ModeDefaults {
    static uint8_t full(WrapInt d, WrapInt s) { return low8((d * s) / 255); }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        return low8((d * (255 - e) + (d * s * e) / 255) / 255);
    }
};

struct Screen : ModeDefaults {
    static WrapInt screen(WrapInt d, WrapInt s) { return 255 - ((255 - d) * (255 - s)) / 255; }
    static uint8_t full(WrapInt d, WrapInt s) { return low8(screen(d, s)); }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        return low8((d * (255 - e) + screen(d, s) * e) / 255);
    }
};

// Multiplies dark destination channels and screens light ones.
struct Overlay : ModeDefaults {
    static uint8_t full(WrapInt d, WrapInt s) {
        return d > 127 ? Screen::full(d, s) : Multiply::full(d, s);
    }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        return d > 127 ? Screen::weighted(d, s, e) : Multiply::weighted(d, s, e);
    }
};

struct SoftLight : ModeDefaults {
    static WrapInt light(WrapInt d, WrapInt s) { return d * (255 * d + (510 - 2 * d) * s); }
    static uint8_t full(WrapInt d, WrapInt s) { return low8(light(d, s) / 65025); }
    // light x e reaches 255 * 65025 * 255 and is formed in 64 bits; the
    // quotient fits 32 bits for any e, and is reduced to them as a 32-bit
    // machine stores it.
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        const int64_t share = int64_t{light(d, s).value} * e.value / 65025;
        const WrapInt reduced = static_cast<int32_t>(static_cast<uint32_t>(share));
        return low8((d * (255 - e) + reduced) / 255);
    }
};

struct ColourDodge : ModeDefaults {
    static uint8_t full(WrapInt d, WrapInt s) {
        return 255 - s > d ? low8((d * 255) / (255 - s)) : 255;
    }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        if (s == 255) return low8(d);
        return clamped((d * (255 - e) + (d * e * 255) / (255 - s)) / 255);
    }
};

struct ColourBurn : ModeDefaults {
    static uint8_t full(WrapInt d, WrapInt s) {
        return s > 255 - d ? low8(255 - ((255 - d) * 255) / s) : 0;
    }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        if (s == 0) return low8(255 - d);
        return clamped((d * (255 - e) + (255 - ((255 - d) * 255) / s) * e) / 255);
    }
};

struct LinearBurn : ModeDefaults {
    static constexpr OnTransparent kOnTransparent = OnTransparent::kBlack;
    static uint8_t full(WrapInt d, WrapInt s) { return at_least_0(d + s - 255); }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        return at_least_0((d * (255 - e) + (d + s - 255) * e) / 255);
    }
};

// A black destination channel takes the source value; a black red channel
// also keeps the pixel's alpha from growing.
struct Divide : ModeDefaults {
    static constexpr bool kBlackRedKeepsAlpha = true;
    static uint8_t full(WrapInt d, WrapInt s) { return d > s ? low8((s * 255) / d) : 255; }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        if (d == 0) return low8(s);
        return clamped((d * (255 - e) + (s * e * 255) / d) / 255);
    }
};

// Full strength whenever e is at least 1: the opacity decides only whether a
// pixel is drawn and how fast its alpha grows.
Pixel difference(Pixel d, Pixel s, Weight w) {
    if (w.effective == 0) return d;
    Pixel out = d;
    for (int ch : kColourChannels)
        out.c[ch] = static_cast<uint8_t>(d.c[ch] > s.c[ch] ? d.c[ch] - s.c[ch] : s.c[ch] - d.c[ch]);
    out.c[host::kAlpha] = accumulate_alpha(d.alpha(), w.effective);
    return out;
}

// Copies each pixel whole, alpha included, when its draw from the standard
// generator, modulo 258, is below opacity + 1; one draw per pixel whether or
// not it copies. `r <= opacity` is that test without forming opacity + 1.
void dissolve_row(uint8_t* dest, const uint8_t* src, int32_t width, int32_t opacity) {
    for (int32_t i = 0; i < width; ++i) {
        const Pixel s = load(pixel_at(src, i));
        if (std::rand() % 258 <= opacity) store(pixel_at(dest, i), s);
    }
}

constexpr RowFunction kBlendRows[] = {
    composite_row<weighted_pixel<Normal>>,
    composite_row<weighted_pixel<Add>>,
    composite_row<weighted_pixel<Subtract>>,
    composite_row<weighted_pixel<Multiply>>,
    composite_row<weighted_pixel<Screen>>,
    composite_row<weighted_pixel<Overlay>>,
    composite_row<weighted_pixel<SoftLight>>,
    composite_row<weighted_pixel<ColourDodge>>,
    composite_row<weighted_pixel<ColourBurn>>,
    composite_row<weighted_pixel<LinearBurn>>,
    composite_row<weighted_pixel<Divide>>,
    composite_row<difference>,
    dissolve_row,
};
static_assert(sizeof kBlendRows / sizeof kBlendRows[0] == kDissolveMode + 1);

}  // namespace

RowFunction blend_row(uint32_t mode) { return mode <= kDissolveMode ? kBlendRows[mode] : nullptr; }

}  // namespace lumoria
