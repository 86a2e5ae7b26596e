// The row functions of the layering modes of transfer_blt.
#pragma once

#include <cstdint>

#include "lumoria/transfer/transfer_clip.h"

namespace lumoria {

// The plain row function of `mode` (its parameter is the opacity), or null
// for a mode number that changes no pixel.
RowFunction layer_row(uint32_t mode);

}  // namespace lumoria
