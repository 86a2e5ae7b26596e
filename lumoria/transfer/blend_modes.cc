// Blend modes 0 to 10 are weighted modes: a full draw, an optional rule for
// a transparent destination, then the weighted colour (d: destination
// channel, s: source channel, e: effective alpha). Difference and dissolve
// follow rules of their own.
#include <cstdlib>

#include "lumoria/transfer/composite.h"
#include "lumoria/transfer/modes.h"

namespace lumoria {
namespace {

struct Normal {
    static constexpr BlendMode kMode = BlendMode::kNormal;
    static uint8_t full(WrapInt, WrapInt s) { return low8(s); }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) { return low8(mix(d, s, e)); }
};

struct Add {
    static constexpr BlendMode kMode = BlendMode::kAdd;
    static uint8_t full(WrapInt d, WrapInt s) { return at_most_255(d + s); }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        return at_most_255(d + (s * e) / 255);
    }
};

struct Subtract {
    static constexpr BlendMode kMode = BlendMode::kSubtract;
    static uint8_t full(WrapInt d, WrapInt s) { return at_least_0(d - s); }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        return at_least_0(d - (s * e) / 255);
    }
};

struct Multiply {
    static constexpr BlendMode kMode = BlendMode::kMultiply;
    static uint8_t full(WrapInt d, WrapInt s) { return low8((d * s) / 255); }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        return low8((d * (255 - e) + (d * s * e) / 255) / 255);
    }
};

struct Screen {
    static constexpr BlendMode kMode = BlendMode::kScreen;
    static WrapInt screen(WrapInt d, WrapInt s) { return 255 - ((255 - d) * (255 - s)) / 255; }
    static uint8_t full(WrapInt d, WrapInt s) { return low8(screen(d, s)); }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        return low8((d * (255 - e) + screen(d, s) * e) / 255);
    }
};

// Multiplies dark destination channels and screens light ones.
struct Overlay {
    static constexpr BlendMode kMode = BlendMode::kOverlay;
    static uint8_t full(WrapInt d, WrapInt s) {
        return d > 127 ? Screen::full(d, s) : Multiply::full(d, s);
    }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        return d > 127 ? Screen::weighted(d, s, e) : Multiply::weighted(d, s, e);
    }
};

struct SoftLight {
    static constexpr BlendMode kMode = BlendMode::kSoftLight;
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

struct ColourDodge {
    static constexpr BlendMode kMode = BlendMode::kColourDodge;
    static uint8_t full(WrapInt d, WrapInt s) {
        return 255 - s > d ? low8((d * 255) / (255 - s)) : 255;
    }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        if (s == 255) return low8(d);
        return clamped((d * (255 - e) + (d * e * 255) / (255 - s)) / 255);
    }
};

struct ColourBurn {
    static constexpr BlendMode kMode = BlendMode::kColourBurn;
    static uint8_t full(WrapInt d, WrapInt s) {
        return s > 255 - d ? low8(255 - ((255 - d) * 255) / s) : 0;
    }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        if (s == 0) return low8(255 - d);
        return clamped((d * (255 - e) + (255 - ((255 - d) * 255) / s) * e) / 255);
    }
};

struct LinearBurn {
    static constexpr BlendMode kMode = BlendMode::kLinearBurn;
    static uint8_t full(WrapInt d, WrapInt s) { return at_least_0(d + s - 255); }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        return at_least_0((d * (255 - e) + (d + s - 255) * e) / 255);
    }
};

// A black destination channel takes the source value; a black red channel
// also keeps the pixel's alpha from growing.
struct Divide {
    static constexpr BlendMode kMode = BlendMode::kDivide;
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

// The two modes with rules of their own name their rows.
struct Difference {
    static constexpr BlendMode kMode = BlendMode::kDifference;
    static constexpr RowFunction kRow = composite_row<difference>;
};
struct Dissolve {
    static constexpr BlendMode kMode = BlendMode::kDissolve;
    static constexpr RowFunction kRow = dissolve_row;
};

}  // namespace

extern const std::array<RowFunction, kBlendModes> kPlainBlendRows =
    rows_by_mode<kBlendModes, Normal, Add, Subtract, Multiply, Screen, Overlay, SoftLight,
                 ColourDodge, ColourBurn, LinearBurn, Divide, Difference, Dissolve>(
        []<class Mode>() -> RowFunction {
            if constexpr (requires { Mode::kRow; })
                return Mode::kRow;
            else
                return composite_row<weighted_pixel<Mode>>;
        });

RowFunction blend_row(uint32_t mode) {
    return mode < kBlendModes ? kPlainBlendRows[mode] : nullptr;
}

}  // namespace lumoria
