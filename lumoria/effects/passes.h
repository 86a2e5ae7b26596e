// The surface passes of pixelize and ripple_circ after their handle is
// resolved, with the row function they use given: the exports pass the
// fastest one, the benchmark the plain one.
#pragma once

#include <cstdint>

#include "host/host_bitmap.h"
#include "lumoria/effects/rows.h"

namespace lumoria {

using AddRow = void (*)(const uint8_t* pixels, int64_t width, ChannelSums& sums);
void pixelize_pass(const host::Surface& surface, int32_t block_width, int32_t block_height,
                   AddRow add);

using RingRow = void (*)(uint8_t* first, int64_t width, int64_t first_dx, float dy_squared,
                         const RingTable& rings);
// ripple_circ's result: 1, or 0 for a period below 1 or a failed allocation.
int32_t ring_pass(const host::Surface& surface, int32_t cx, int32_t cy, int32_t phase,
                  int32_t period, int32_t strength, int32_t radius, RingRow row);

}  // namespace lumoria
