// The alpha-over rule: how blt, and the "over" layering mode, composite a
// source pixel onto its destination pixel.
#pragma once

#include <cstdint>

namespace lumoria {

// A RowFunction whose parameter is the opacity.
void alpha_over_row(uint8_t* dest, const uint8_t* src, int32_t width, int32_t opacity);

}  // namespace lumoria
