// The block transfers' row sets by instruction set level, and the choice
// between a vector twin and the plain row. Each vector row gives exactly the
// bytes of its plain twin for an opacity of 1 to 255 when its rows do not
// overlap so that the walk reads a pixel it has just written (walk_rows
// checks that); other opacities keep to the plain rows.
#pragma once

#include <cstdint>

#include "host/cpu_features.h"
#include "lumoria/transfer/modes.h"

namespace lumoria {

// The plain rows, and one set per instruction set (dissolve has no vector
// row: it draws from the standard generator pixel by pixel).
extern const TransferRows kPlainTransferRows;
#if HOST_X86_VECTORS
extern const TransferRows kSse2TransferRows;
extern const TransferRows kAvx2TransferRows;    // use only where the CPU has AVX2
extern const TransferRows kAvx512TransferRows;  // and this where it has the AVX-512 level
#endif
extern const host::Variants<TransferRows> kTransferVariants;

// A whole-pixel copy, wherever a forward walk reads no pixel it has written
// itself: there it is a plain move of the bytes.
void move_row(uint8_t* dest, const uint8_t* src, int32_t width, int32_t unused);

// The vector twin for this CPU and opacity, or null where the plain row is
// the only one.
RowFunction fast_over_row(int32_t opacity);
RowFunction fast_blend_row(uint32_t mode, int32_t opacity);
RowFunction fast_layer_row(uint32_t mode, int32_t opacity);

}  // namespace lumoria
