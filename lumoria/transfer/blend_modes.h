// The row functions of the blend modes of blend_blt.
#pragma once

#include <cstdint>

#include "lumoria/transfer/transfer_clip.h"

namespace lumoria {

constexpr uint32_t kDissolveMode = 12;

// The plain row function of `mode` (its parameter is the opacity), or null
// for a mode number that changes no pixel.
RowFunction blend_row(uint32_t mode);

}  // namespace lumoria
