// The layering modes of transfer_blt differ in how they treat the
// destination's alpha A: drawing over it, replacing it, recolouring what it
// shows, or drawing behind it.
#include "lumoria/transfer/alpha_over.h"
#include "lumoria/transfer/composite.h"
#include "lumoria/transfer/modes.h"

namespace lumoria {
namespace {

// The source colour with alpha e; the destination does not matter.
Pixel replace(Pixel, Pixel s, Weight w) {
    s.c[host::kAlpha] = low8(w.effective);
    return s;
}

// Blends the source colour into pixels the destination already shows,
// never changing alpha.
Pixel recolour(Pixel d, Pixel s, Weight w) {
    if (d.alpha() == 0) return d;
    Pixel out = d;
    if (w.product == kFullProduct) {
        for (int ch : kColourChannels) out.c[ch] = s.c[ch];
        return out;
    }
    if (w.effective == 0) return d;  // P = 0, or too faint to show
    for (int ch : kColourChannels) out.c[ch] = low8(mix(d.c[ch], s.c[ch], w.effective));
    return out;
}

// Composites the source behind the destination: the destination covers it
// in proportion to A, and an opaque destination pixel never changes. A
// faint source (e = 0) still rescales the colour by 2A / 255; a channel
// that comes out above 255 stores its low 8 bits.
Pixel behind(Pixel d, Pixel s, Weight w) {
    const WrapInt a = d.alpha();
    if (a == 255) return d;
    Pixel out = d;
    if (w.product == kFullProduct) {
        for (int ch : kColourChannels) out.c[ch] = low8((s.c[ch] * (255 - a) + d.c[ch] * a) / 255);
        out.c[host::kAlpha] = 255;
        return out;
    }
    if (w.product == 0) return d;
    const WrapInt e = w.effective;
    for (int ch : kColourChannels)
        out.c[ch] = low8((s.c[ch] * (255 - a) * e + d.c[ch] * a * (510 - e)) / 65025);
    out.c[host::kAlpha] = low8(a + ((255 - a) * e) / 255);
    return out;
}

struct Over {
    static constexpr LayerMode kMode = LayerMode::kOver;
    static constexpr RowFunction kRow = alpha_over_row;
};
struct Replace {
    static constexpr LayerMode kMode = LayerMode::kReplace;
    static constexpr RowFunction kRow = composite_row<replace>;
};
struct Recolour {
    static constexpr LayerMode kMode = LayerMode::kRecolour;
    static constexpr RowFunction kRow = composite_row<recolour>;
};
struct Behind {
    static constexpr LayerMode kMode = LayerMode::kBehind;
    static constexpr RowFunction kRow = composite_row<behind>;
};

}  // namespace

extern const std::array<RowFunction, kLayerModes> kPlainLayerRows =
    rows_by_mode<kLayerModes, Over, Replace, Recolour, Behind>(
        []<class Mode>() -> RowFunction { return Mode::kRow; });

RowFunction layer_row(uint32_t mode) {
    return mode < kLayerModes ? kPlainLayerRows[mode] : nullptr;
}

}  // namespace lumoria
