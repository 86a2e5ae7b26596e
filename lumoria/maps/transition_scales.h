// The alpha rules of the transitions as one multiplier per mask value. The
// threshold t depends only on the mask byte and the call's arguments, so a
// call forms 256 multipliers once, and every pixel then takes
// scale_alpha(A, scale[m]) (fading in) or A - scale_alpha(A, scale[m])
// (fading out): no division and no branch per pixel.
#pragma once

#include <cstdint>

#include "lumoria/maps/transition_rules.h"

namespace lumoria {

// The multiplier under which scale_alpha keeps every alpha whole.
constexpr uint16_t kWholeAlpha = 65535;

struct TransitionScales {
    uint16_t by_mask[256];
    // Where the multipliers change only inside 64 neighbouring mask values
    // (a soft edge no wider), `windowed` and the first of them: every mask
    // value clamped into the window then finds its own multiplier there,
    // which a single 64-entry lookup can serve.
    bool windowed;
    uint8_t window;
};

// floor(alpha * 257 * scale / 2^24): 0 for scale 0, alpha itself for
// kWholeAlpha, and (alpha * t) / softness for share_scale(t, softness). The
// product is below 2^32.
inline uint8_t scale_alpha(uint8_t alpha, uint16_t scale) {
    return static_cast<uint8_t>((uint32_t{alpha} * 257u * scale) >> 24);
}

// The multiplier that gives (alpha * t) / softness, truncated, for every
// alpha 0..255; for 0 < t <= softness.
uint16_t share_scale(int32_t t, int32_t softness);

// The multipliers of one call: fading in sets each alpha to
// scale_alpha(A, scale), fading out to A - scale_alpha(A, scale).
TransitionScales fade_in_scales(const TransitionFrame& frame);
TransitionScales fade_out_scales(const TransitionFrame& frame);

}  // namespace lumoria
