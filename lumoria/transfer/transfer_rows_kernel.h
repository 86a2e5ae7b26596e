// The block transfers' per-pixel rules for a vector instruction set `I`
// (host::Sse2, host::Avx2 or host::Avx512): twins of the plain rules of alpha_over.cc,
// blend_modes.cc and layer_modes.cc that give their bytes for every input, provided the opacity is
// 1 to 255. Then the alpha product P = opacity x source alpha is 0..65025, the effective alpha e =
// P / 255 is 0..255, and e = 255 exactly when P = 65025.
//
// Channels are worked in 16-bit lanes, four lanes a pixel (blue, green, red,
// alpha). A per-pixel value such as e is spread over its pixel's four lanes,
// so each formula runs on every lane and the alpha lane then takes its own.
//
// Exactness rests on these facts, checked by tests over their whole range:
// - div255 is x / 255 for every x of 0..65535;
// - integers below 2^24 are exact in float, and so are their sums and
//   products while they stay below 2^24;
// - for integers x >= 0 and y >= 1 with x + y <= 2^24, the float quotient
//   x / y truncated is the integer quotient or, rounding upwards, one more
//   (it cannot pass the next integer), which the exact remainder shows.
// None of this depends on the caller's rounding mode.
// Each formula whose terms exceed 16 bits says how it keeps within these
// bounds.
//
// Included only by the transfer_rows_<set>.cc files (and tests), after the
// header of their instruction set; internal to each of them.
#pragma once

#include <cstdint>

#include "host/host_bitmap.h"
#include "host/vector_row.h"
#include "lumoria/transfer/modes.h"

namespace lumoria {
namespace {

template <class I>
struct TransferKernels {
    using Pixels = typename I::U32;
    using Lanes = typename I::U16;              // one channel a lane
    using Mask = decltype(Lanes{} == Lanes{});  // all ones where true
    using Wide = typename I::I32;
    using Floats = typename I::F32;
    static constexpr int kLanes = sizeof(Lanes) / sizeof(uint16_t);

    static Lanes lanes_of(int32_t v) { return I::splat_u16(static_cast<uint16_t>(v)); }

    // What a row needs to know of its opacity (1..255).
    struct Row {
        Lanes opacity;
        bool full_opacity;    // opacity 255, where e is the source alpha itself
        int32_t faint_alpha;  // source alphas up to this give e = 0
        int32_t full_alpha;   // the source alpha that gives P = 65025; 256: none
        Mask alpha;           // the alpha lane of each pixel
    };

    static Row row_context(int32_t opacity) {
        Row r{lanes_of(opacity), opacity == 255, 254 / opacity, opacity == 255 ? 255 : 256, Mask{}};
        for (int i = 0; i < kLanes; ++i) r.alpha[i] = i % 4 == host::kAlpha ? -1 : 0;
        return r;
    }

    static Lanes ones_where(Mask m) { return (Lanes)m; }

    // x / 255 for every x of 0..65535: a multiply-high by 0x8081, then >> 7.
    static Lanes div255(Lanes x) { return I::mulhi_u16(x, lanes_of(0x8081)) >> 7; }

    // x = 255 high + rest with rest 0..254: a product x e of 24 bits is then
    // 255 high e + rest e, with both products within 16 bits.
    struct Split {
        Lanes high, rest;
    };
    static Split split255(Lanes x) {
        const Lanes high = div255(x);
        return {high, x - high * 255};
    }

    // x / y rounded down, for integer-valued x >= 0 and y >= 1 with
    // x + y <= 2^24. Whatever rounding mode the caller has set, the float
    // quotient truncated is the integer quotient or one more; the exact
    // remainder takes back the one too many.
    static Wide whole_quotient(Floats x, Floats y) {
        const Wide q = I::truncate(x / y);
        return q + (Wide)(I::to_floats(q) * y > x);  // a true comparison is -1
    }

    // y, or 1 where y is 0: a divisor for lanes whose quotient is not used.
    static Lanes nonzero(Lanes y) { return y == 0 ? lanes_of(1) : y; }

    // f(a, b, c) worked in float lanes; f gives whole numbers of 32 bits, and
    // any above 65535 come back as 65535.
    template <class F>
    static Lanes in_floats(Lanes a, Lanes b, Lanes c, F f) {
        const auto half = [&](Wide (*widen)(Lanes)) {
            return f(I::to_floats(widen(a)), I::to_floats(widen(b)), I::to_floats(widen(c)));
        };
        return I::pack_32_to_16(half(I::widen_16_to_32_low), half(I::widen_16_to_32_high));
    }

    // x e 255 / y (y >= 1), 65535 at most; the dividend is below 2^24.
    static Lanes scaled_ratio(Lanes x, Lanes e, Lanes y) {
        return in_floats(x, e, y, [](Floats fx, Floats fe, Floats fy) {
            return whole_quotient(fx * fe * 255, fy);
        });
    }

    // (d (255 - e) + q) / 255, 255 at most. A sum that overflows 16 bits
    // would give more than 255, so it may saturate.
    static Lanes clamped_blend(Lanes d, Lanes e, Lanes q) {
        return at_most_255(div255(I::saturating_add_u16(d * (255 - e), q)));
    }

    static Wide alpha_of(Pixels p) { return (Wide)(p >> 24); }
    template <int ch>
    static Lanes spread(Lanes v) {
        return I::template spread_channel_16<ch>(v);
    }

    // e, spread over each pixel's lanes; P <= 65025 fits 16 bits.
    static Lanes effective(Lanes s, const Row& r) {
        // alpha x 255 / 255 is alpha.
        if (r.full_opacity) return spread<host::kAlpha>(s);
        return div255(spread<host::kAlpha>(s) * r.opacity);
    }

    static Lanes at_most_255(Lanes v) { return v > 255 ? lanes_of(255) : v; }

    // The alpha accumulation: d.alpha + e * e / 255, 255 at most.
    static Lanes grown_alpha(Lanes d, Lanes e) { return at_most_255(d + div255(e * e)); }

    // s weighted by e over d as one quotient; the sum is at most 65025.
    static Lanes mix(Lanes d, Lanes s, Lanes e) { return div255(s * e + d * (255 - e)); }

    // Runs `Rule::block` on the row's vectors of pixels. Rule::block(d, s,
    // row, out) returns false when it leaves all its destination pixels as
    // they were. A rule that can tell so from the destination alone says it
    // with Rule::keeps(d), and the source is then not read at all.
    template <class Rule>
    static void row(uint8_t* dest, const uint8_t* src, int32_t width, int32_t opacity) {
        const auto walk = [&](const Row& r) __attribute__((always_inline)) {
            host::each_vector<I>(width, dest, src,
                                 [&r](int32_t, int32_t, uint8_t* d, const uint8_t* s) {
                                     const Pixels dest_pixels = I::load(d);
                                     if constexpr (requires { Rule::keeps(dest_pixels); })
                                         if (Rule::keeps(dest_pixels)) return;
                                     Pixels out;
                                     if (Rule::block(dest_pixels, I::load(s), r, out))
                                         I::store(d, out);
                                 });
        };
        // The common full opacity as a walk of its own, where e needs no
        // division.
        if (opacity == 255)
            walk(row_context(255));
        else
            walk(row_context(opacity));
    }

    // f(d, s) on the channel lanes of the first and of the second half of
    // the pixels, packed back into pixels.
    template <class F>
    static Pixels by_halves(Pixels d, Pixels s, F f) {
        return I::pack_16_to_8(f(I::widen_8_to_16_low(d), I::widen_8_to_16_low(s)),
                               f(I::widen_8_to_16_high(d), I::widen_8_to_16_high(s)));
    }

    // A weighted rule states its mode, kMode, whose traits give its case
    // order, and gives full(d, s) for each channel at P = 65025 and
    // weighted(d, s, e) at e of 1 or more.

    // The case order of the weighted blend modes: a full draw, then a
    // transparent destination (where the mode has a rule for it), then
    // nothing below e = 1, then the weighted colour and alpha. Every case is
    // computed and the first that applies picked, lane by lane; whole
    // vectors of faint or of full pixels skip the rest.
    template <class Mode>
    struct Weighted {
        static constexpr BlendMode kMode = Mode::kMode;
        static constexpr ModeTraits kTraits = traits_of(kMode);

        static bool block(Pixels d, Pixels s, const Row& r, Pixels& out) {
            const auto faint = alpha_of(s) <= r.faint_alpha;
            const auto full = alpha_of(s) == r.full_alpha;
            if (I::all(faint) &&
                (kTraits.on_transparent == OnTransparent::kBlend || !I::any(alpha_of(d) == 0)))
                return false;
            if (I::all(full)) {
                out = by_halves(d, s, [&](Lanes ld, Lanes ls) { return full_lanes(ld, ls, r); });
                return true;
            }
            const bool some_full = I::any(full);
            out = by_halves(d, s, [&](Lanes ld, Lanes ls) { return lanes(ld, ls, r, some_full); });
            return true;
        }

        static Lanes full_lanes(Lanes d, Lanes s, const Row& r) {
            return r.alpha ? (kTraits.full_keeps_alpha ? d : lanes_of(255)) : Mode::full(d, s);
        }

        static Lanes lanes(Lanes d, Lanes s, const Row& r, bool some_full) {
            const Lanes e = effective(s, r);
            Lanes out = r.alpha ? grown_alpha(d, e) : Mode::weighted(d, s, e);
            if constexpr (kTraits.black_red_keeps_alpha)
                out = (r.alpha & (spread<host::kRed>(d) == 0)) ? d : out;
            out = e == 0 ? d : out;
            if constexpr (kTraits.on_transparent != OnTransparent::kBlend) {
                const Lanes colour =
                    kTraits.on_transparent == OnTransparent::kSourceColour ? s : Lanes{};
                out = spread<host::kAlpha>(d) == 0 ? (r.alpha ? e : colour) : out;
            }
            if (some_full) out = e == 255 ? full_lanes(d, s, r) : out;
            return out;
        }
    };

    // The alpha-over rule of blt: two quotients, each truncated on its own,
    // and the alpha growth. The formula itself leaves d at e = 0 and gives
    // (s, 255) at P = 65025, so only a transparent destination needs a case
    // of its own. In the alpha lane the formula's s is e and its 255 - e is
    // 255, which gives d.alpha + e * e / 255; pack saturates that at 255.
    struct Over {
        static constexpr LayerMode kMode = LayerMode::kOver;

        static bool block(Pixels d, Pixels s, const Row& r, Pixels& out) {
            if (I::all(alpha_of(s) <= r.faint_alpha) && !I::any(alpha_of(d) == 0)) return false;
            if (I::all(alpha_of(s) == r.full_alpha)) {
                out = s | 0xFF000000u;
                return true;
            }
            out = by_halves(d, s, [&](Lanes ld, Lanes ls) { return lanes(ld, ls, r); });
            return true;
        }

        static Lanes lanes(Lanes d, Lanes s, const Row& r) {
            const Lanes e = effective(s, r);
            const Lanes source = r.alpha ? e : s;  // also what a transparent pixel takes
            const Lanes kept = 255 - (e & ~ones_where(r.alpha));
            const Lanes blended = div255(e * source) + div255(d * kept);
            return spread<host::kAlpha>(d) == 0 ? source : blended;
        }
    };

    struct Normal {
        static constexpr BlendMode kMode = BlendMode::kNormal;
        static Lanes full(Lanes, Lanes s) { return s; }
        static Lanes weighted(Lanes d, Lanes s, Lanes e) { return mix(d, s, e); }
    };

    struct Add {
        static constexpr BlendMode kMode = BlendMode::kAdd;
        static Lanes full(Lanes d, Lanes s) { return at_most_255(d + s); }
        static Lanes weighted(Lanes d, Lanes s, Lanes e) { return at_most_255(d + div255(s * e)); }
    };

    struct Subtract {
        static constexpr BlendMode kMode = BlendMode::kSubtract;
        static Lanes full(Lanes d, Lanes s) { return I::saturating_sub_u16(d, s); }
        static Lanes weighted(Lanes d, Lanes s, Lanes e) {
            return I::saturating_sub_u16(d, div255(s * e));
        }
    };

    struct Multiply {
        static constexpr BlendMode kMode = BlendMode::kMultiply;
        static Lanes full(Lanes d, Lanes s) { return div255(d * s); }
        // d s e / 255 is high e + (rest e) / 255, and its sum with
        // d (255 - e) is at most 255 d.
        static Lanes weighted(Lanes d, Lanes s, Lanes e) {
            const Split ds = split255(d * s);
            return div255(d * (255 - e) + ds.high * e + div255(ds.rest * e));
        }
    };

    struct Screen {
        static constexpr BlendMode kMode = BlendMode::kScreen;
        static Lanes full(Lanes d, Lanes s) { return 255 - div255((255 - d) * (255 - s)); }
        static Lanes weighted(Lanes d, Lanes s, Lanes e) {
            return div255(d * (255 - e) + full(d, s) * e);
        }
    };

    struct Overlay {
        static constexpr BlendMode kMode = BlendMode::kOverlay;
        static Lanes full(Lanes d, Lanes s) {
            return d > 127 ? Screen::full(d, s) : Multiply::full(d, s);
        }
        static Lanes weighted(Lanes d, Lanes s, Lanes e) {
            return d > 127 ? Screen::weighted(d, s, e) : Multiply::weighted(d, s, e);
        }
    };

    // N = d (255 d + (510 - 2 d) s), worked in 16-bit lanes through its
    // digits in base 255. With u = 255 - d the bracket is 255 d + 2 u s, so
    // N <= 255 d (510 - d) <= 255 x 65025, and every step below keeps within
    // 16 bits:
    //   m = u s <= 65025 = 255 mh + mr            (split255, mr 0..254)
    //   N = 255 d (d + 2 mh) + 2 d mr
    //   g = d mr <= 255 x 254 = 255 gh + gr       (split255, gr 0..254)
    //   N = 255 X + 2 gr with X = d (d + 2 mh) + 2 gh, and X <= N / 255 <= 65025
    //   2 gr is even and 0..508, so c = (2 gr) >> 8 is 1 where it is 255 or
    //   more, else 0; and r = 2 gr - 255 c = (2 gr + c) mod 256 is 0..254.
    //   N = 255 Z + r with Z = X + c = N / 255 <= 65025.
    // So N / 65025 = Z / 255. For the weighted colour, Z = 255 a + b (b
    // 0..254) gives N = 65025 a + 255 b + r, and, the quotients nesting,
    //   N e / 65025 = a e + (b e + (r e) / 255) / 255
    // with r e <= 64770 and b e + (r e) / 255 <= 65024. The weighted sum
    // d (255 - e) + N e / 65025 is at most 255 (255 - e) + 255 e = 65025.
    struct SoftLight {
        static constexpr BlendMode kMode = BlendMode::kSoftLight;
        // N as Z = N / 255 and r = N mod 255.
        struct Digits {
            Lanes z, r;
        };
        static Digits light(Lanes d, Lanes s) {
            const Split m = split255((255 - d) * s);
            const Split g = split255(d * m.rest);
            const Lanes x = d * (d + m.high + m.high) + g.high + g.high;
            const Lanes twice = g.rest + g.rest;
            const Lanes c = twice >> 8;
            return {x + c, (twice + c) & 0xFF};
        }
        static Lanes full(Lanes d, Lanes s) { return div255(light(d, s).z); }
        static Lanes weighted(Lanes d, Lanes s, Lanes e) {
            const Digits n = light(d, s);
            const Split z = split255(n.z);
            const Lanes share = z.high * e + div255(z.rest * e + div255(n.r * e));
            return div255(d * (255 - e) + share);
        }
    };

    struct ColourDodge {
        static constexpr BlendMode kMode = BlendMode::kColourDodge;
        static Lanes full(Lanes d, Lanes s) {
            return 255 - s > d ? scaled_ratio(d, lanes_of(1), nonzero(255 - s)) : lanes_of(255);
        }
        static Lanes weighted(Lanes d, Lanes s, Lanes e) {
            return s == 255 ? d : clamped_blend(d, e, scaled_ratio(d, e, nonzero(255 - s)));
        }
    };

    // With q = (255 - d) 255 / s, the weighted sum d (255 - e) + (255 - q) e
    // is 255 d + (255 - d) e - q e; the first two terms stay within 65025,
    // so a q e beyond 16 bits makes the sum negative, which gives 0.
    struct ColourBurn {
        static constexpr BlendMode kMode = BlendMode::kColourBurn;
        static Lanes burnt(Lanes d, Lanes s) {
            return scaled_ratio(255 - d, lanes_of(1), nonzero(s));
        }
        static Lanes full(Lanes d, Lanes s) { return s > 255 - d ? 255 - burnt(d, s) : Lanes{}; }
        static Lanes weighted(Lanes d, Lanes s, Lanes e) {
            const Lanes q = burnt(d, s);
            const Lanes sum = I::saturating_sub_u16(255 * d + (255 - d) * e, q * e);
            return s == 0 ? 255 - d : div255(I::mulhi_u16(q, e) == 0 ? sum : Lanes{});
        }
    };

    // d (255 - e) + (d + s - 255) e is 255 d - (255 - s) e, both terms
    // within 16 bits; below 0 it gives 0.
    struct LinearBurn {
        static constexpr BlendMode kMode = BlendMode::kLinearBurn;
        static Lanes full(Lanes d, Lanes s) { return I::saturating_sub_u16(d, 255 - s); }
        static Lanes weighted(Lanes d, Lanes s, Lanes e) {
            return div255(I::saturating_sub_u16(d * 255, (255 - s) * e));
        }
    };

    // A black destination channel takes the source value; a black red
    // channel also keeps the pixel's alpha from growing.
    struct Divide {
        static constexpr BlendMode kMode = BlendMode::kDivide;
        static Lanes full(Lanes d, Lanes s) {
            return d > s ? scaled_ratio(s, lanes_of(1), nonzero(d)) : lanes_of(255);
        }
        static Lanes weighted(Lanes d, Lanes s, Lanes e) {
            return d == 0 ? s : clamped_blend(d, e, scaled_ratio(s, e, nonzero(d)));
        }
    };

    // Full strength at any e of 1 or more; at P = 65025 the alpha growth
    // reaches 255, as a full draw sets it.
    struct Difference {
        static constexpr BlendMode kMode = BlendMode::kDifference;
        static Lanes full(Lanes d, Lanes s) {
            return I::saturating_sub_u16(d, s) | I::saturating_sub_u16(s, d);
        }
        static Lanes weighted(Lanes d, Lanes s, Lanes) { return full(d, s); }
    };

    // The source colour with alpha e; the destination is not read. Worked on
    // whole pixels: seen as 16-bit lanes, a pixel's alpha shifted down is
    // its low lane and 0 its high one, and e is formed in the low lane.
    struct Replace {
        static constexpr LayerMode kMode = LayerMode::kReplace;
        static bool block(Pixels, Pixels s, const Row& r, Pixels& out) {
            const Pixels e = (Pixels)div255((Lanes)(s >> 24) * r.opacity);
            out = (s & 0x00FFFFFFu) | (e << 24);
            return true;
        }
    };

    // Blends the source colour (one quotient) into pixels of alpha above 0;
    // the alpha never changes. At e = 0 the blend gives d, at P = 65025 s.
    struct Recolour {
        static constexpr LayerMode kMode = LayerMode::kRecolour;
        static bool keeps(Pixels d) { return I::all(alpha_of(d) == 0); }
        static bool block(Pixels d, Pixels s, const Row& r, Pixels& out) {
            if (I::all((alpha_of(s) <= r.faint_alpha) | (alpha_of(d) == 0))) return false;
            const auto lanes = [&](Lanes ld, Lanes ls) {
                const Mask keep = r.alpha | (spread<host::kAlpha>(ld) == 0);
                return keep ? ld : mix(ld, ls, effective(ls, r));
            };
            out = by_halves(d, s, lanes);
            return true;
        }
    };

    // Composites the source behind the destination: an opaque destination
    // pixel or a fully transparent source pixel (P = 0) changes nothing.
    struct Behind {
        static constexpr LayerMode kMode = LayerMode::kBehind;
        static bool keeps(Pixels d) { return I::all(alpha_of(d) == 255); }
        static bool block(Pixels d, Pixels s, const Row& r, Pixels& out) {
            if (I::all((alpha_of(d) == 255) | (alpha_of(s) == 0))) return false;
            const bool some_full = I::any(alpha_of(s) == r.full_alpha);
            out = by_halves(d, s, [&](Lanes ld, Lanes ls) { return lanes(ld, ls, r, some_full); });
            return true;
        }

        static Lanes lanes(Lanes d, Lanes s, const Row& r, bool some_full) {
            const Lanes a = spread<host::kAlpha>(d), e = effective(s, r);
            Lanes out = r.alpha ? a + div255((255 - a) * e) : colour(d, s, a, e);
            if (some_full) {
                const Lanes full = r.alpha ? lanes_of(255) : div255(s * (255 - a) + d * a);
                out = e == 255 ? full : out;
            }
            const Mask keep = (a == 255) | (spread<host::kAlpha>(s) == 0);
            return keep ? d : out;
        }

        // (u e + v (510 - e)) / 65025 with u = s (255 - A) and v = d A, stored
        // as its low 8 bits. The sum needs 25 bits; split u and v by 255:
        //   sum = 255 (v + u.high e + v.high (255 - e)) + u.rest e + v.rest (255 - e)
        // and divide by 255 twice, each time keeping only what fits 16 bits:
        //   sum / 65025 = v.high + (v.rest + w) / 255, where
        //   w = u.high e + v.high (255 - e) + (u.rest e + v.rest (255 - e)) / 255
        // is at most 65025 + 254.
        static Lanes colour(Lanes d, Lanes s, Lanes a, Lanes e) {
            const Split u = split255(s * (255 - a)), v = split255(d * a);
            const Lanes w =
                u.high * e + v.high * (255 - e) + div255(u.rest * e + v.rest * (255 - e));
            return (v.high + div255(v.rest + w)) & 0xFF;
        }
    };

    static constexpr auto kBlendRows =
        rows_by_mode<kBlendModes, Normal, Add, Subtract, Multiply, Screen, Overlay, SoftLight,
                     ColourDodge, ColourBurn, LinearBurn, Divide, Difference>(
            []<class Mode>() { return row<Weighted<Mode>>; });
    static constexpr auto kLayerRows = rows_by_mode<kLayerModes, Over, Replace, Recolour, Behind>(
        []<class Mode>() { return row<Mode>; });
    static constexpr TransferRows kRows{row<Over>, kBlendRows.data(), kLayerRows.data()};
};

}  // namespace
}  // namespace lumoria
