// Row functions of the mask transitions: each rewrites the alpha bytes of
// `count` dest pixels, left to right, from the red bytes of the mask pixels
// lying on them. Only alpha bytes are written and only red bytes of the mask
// are read, so a mask inside dest itself (even overlapping the pixels being
// rewritten) is read the same in any order.
#pragma once

#include <cstdint>

#include "host/cpu_features.h"
#include "lumoria/maps/transition_rules.h"
#include "lumoria/maps/transition_scales.h"

namespace lumoria {

// What the rows of one call read: the plain rows the frame, the others the
// multipliers, which are formed only for them.
struct TransitionCall {
    TransitionFrame frame;
    TransitionScales scales;
};

using TransitionRow = void (*)(uint8_t* dest, const uint8_t* mask, int32_t count,
                               const TransitionCall& call);

struct TransitionRows {
    TransitionRow fade_in;
    TransitionRow fade_out;
    bool reads_scales;
};

// The literal rules, pixel by pixel.
extern const TransitionRows kPlainTransitionRows;

#if HOST_X86_VECTORS
// The multipliers, one pixel at a time; then 16 pixels at a time with the
// byte permutes of AVX-512 VBMI.
extern const TransitionRows kScaledTransitionRows;
extern const TransitionRows kAvx512TransitionRows;
#endif

extern const host::Variants<TransitionRows> kTransitionVariants;

}  // namespace lumoria
