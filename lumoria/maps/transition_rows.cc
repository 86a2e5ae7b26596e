#include "lumoria/maps/transition_rows.h"

namespace lumoria {
namespace {

template <typename PixelRule>
inline void for_each_pair(uint8_t* dest, const uint8_t* mask, int32_t count, PixelRule rule) {
    for (int32_t j = 0; j < count; ++j, dest += host::kPixelBytes, mask += host::kPixelBytes)
        rule(dest[host::kAlpha], mask[host::kRed]);
}

// The rules capture the frame by value, so that storing an alpha byte does
// not force it to be reloaded.
void plain_in_row(uint8_t* dest, const uint8_t* mask, int32_t count, const TransitionCall& call) {
    for_each_pair(dest, mask, count, [frame = call.frame](uint8_t& alpha, uint8_t m) {
        transition_in_pixel(alpha, m, frame);
    });
}

void plain_out_row(uint8_t* dest, const uint8_t* mask, int32_t count, const TransitionCall& call) {
    for_each_pair(dest, mask, count, [frame = call.frame](uint8_t& alpha, uint8_t m) {
        transition_out_pixel(alpha, m, frame);
    });
}

#if HOST_X86_VECTORS
void scaled_in_row(uint8_t* dest, const uint8_t* mask, int32_t count, const TransitionCall& call) {
    const uint16_t* scale = call.scales.by_mask;
    for_each_pair(dest, mask, count,
                  [scale](uint8_t& alpha, uint8_t m) { alpha = scale_alpha(alpha, scale[m]); });
}

void scaled_out_row(uint8_t* dest, const uint8_t* mask, int32_t count, const TransitionCall& call) {
    const uint16_t* scale = call.scales.by_mask;
    for_each_pair(dest, mask, count, [scale](uint8_t& alpha, uint8_t m) {
        alpha = static_cast<uint8_t>(alpha - scale_alpha(alpha, scale[m]));
    });
}
#endif

}  // namespace

const TransitionRows kPlainTransitionRows{plain_in_row, plain_out_row, false};

#if HOST_X86_VECTORS
const TransitionRows kScaledTransitionRows{scaled_in_row, scaled_out_row, true};
#endif

const host::Variants<TransitionRows> kTransitionVariants{{
    &kPlainTransitionRows,
    HOST_IF_X86_VECTORS(&kScaledTransitionRows),
    nullptr,
    HOST_IF_X86_VECTORS(&kAvx512TransitionRows),
}};

}  // namespace lumoria
