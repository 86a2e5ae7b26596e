// Row functions of the mask transitions: each rewrites the alpha bytes of
// `count` dest pixels, left to right, from the mask pixels lying on them.
// These are the plain reference forms; a vectorised twin must match them
// byte for byte.
#pragma once

#include <cstdint>

#include "lumoria/maps/transition_rules.h"

namespace lumoria {

void transition_in_row(uint8_t* dest, const uint8_t* mask, int32_t count,
                       const TransitionFrame& frame);
void transition_out_row(uint8_t* dest, const uint8_t* mask, int32_t count,
                        const TransitionFrame& frame);

}  // namespace lumoria
