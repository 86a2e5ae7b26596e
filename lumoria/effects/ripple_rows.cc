#include "lumoria/effects/ripple_rows.h"

#include <cstring>

#include "host/host_bitmap.h"

namespace lumoria {

void place_columns(uint8_t* dest, uintptr_t src_row, const ColumnPlaces& places, int32_t first,
                   int32_t end, int32_t y) {
    for (int32_t c = first; c < end; ++c) {
        uint32_t pixel = 0;
        if (y >= places.top[c] && y < places.end[c]) {
            const uintptr_t at = src_row + static_cast<uintptr_t>(int64_t{places.offset[c]});
            std::memcpy(&pixel, reinterpret_cast<const void*>(at), sizeof pixel);
        }
        std::memcpy(dest + static_cast<ptrdiff_t>(c) * host::kPixelBytes, &pixel, sizeof pixel);
    }
}

namespace {
const RippleRows kPlainRippleRows{place_columns, ring_row};
}  // namespace

const host::Variants<RippleRows> kRippleVariants{{
    &kPlainRippleRows,
    nullptr,
    HOST_IF_X86_VECTORS(&kAvx2RippleRows),
    HOST_IF_X86_VECTORS(&kAvx512RippleRows),
}};

}  // namespace lumoria
