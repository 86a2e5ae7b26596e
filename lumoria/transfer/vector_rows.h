// Vector twins of the block transfers' plain row functions. Each gives
// exactly the bytes of its plain twin for an opacity of 1 to 255 when its
// rows do not overlap so that the walk reads a pixel it has just written
// (walk_rows checks that); other opacities keep to the plain rows.
#pragma once

#include <cstdint>

#include "lumoria/transfer/transfer_clip.h"

namespace lumoria {

// One instruction set's rows; the parameter of each is the opacity.
struct VectorRows {
    RowFunction over;       // the alpha-over rule of blt
    RowFunction blend[12];  // blend modes 0 to 11 (dissolve has none)
    RowFunction layer[4];   // layering modes 0 to 3
};

namespace sse2 {
extern const VectorRows kRows;  // defined where the compiler targets SSE2
}
namespace avx2 {
extern const VectorRows kRows;  // defined on x86; use only where the CPU has AVX2
}

// The vector twin for this CPU and opacity, or null where the plain row is
// the only one.
RowFunction fast_over_row(int32_t opacity);
RowFunction fast_blend_row(uint32_t mode, int32_t opacity);
RowFunction fast_layer_row(uint32_t mode, int32_t opacity);

}  // namespace lumoria
