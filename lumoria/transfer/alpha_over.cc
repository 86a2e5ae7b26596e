#include "lumoria/transfer/alpha_over.h"

#include "lumoria/transfer/composite.h"

namespace lumoria {
namespace {

// A full draw copies the source colour with alpha 255, a transparent
// destination takes the source colour with alpha e, and otherwise each
// channel is the sum of two separately truncated quotients.
struct Over {
    static constexpr ModeTraits kTraits = kOverTraits;
    static uint8_t full(WrapInt, WrapInt s) { return low8(s); }
    static uint8_t weighted(WrapInt d, WrapInt s, WrapInt e) {
        return low8((e * s) / 255 + (d * (255 - e)) / 255);
    }
};

}  // namespace

void alpha_over_row(uint8_t* dest, const uint8_t* src, int32_t width, int32_t opacity) {
    composite_row<weighted_pixel<Over>>(dest, src, width, opacity);
}

}  // namespace lumoria
