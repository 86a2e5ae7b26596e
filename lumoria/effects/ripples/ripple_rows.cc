#include "lumoria/effects/ripples/ripple_rows.h"

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

void ring_row(uint8_t* first, int64_t width, int64_t first_dx, float dy_squared,
              const RingTable& rings) {
    for (int64_t i = 0; i < width; ++i) {
        const int64_t distance = ring_distance(float_square(first_dx + i), dy_squared);
        // Distances below the first entry do not occur; those past the last
        // lie beyond the radius and keep their pixel.
        const uint64_t entry = static_cast<uint64_t>(distance - rings.first_distance);
        if (entry >= rings.size) continue;
        scale_pixel(first + i * host::kPixelBytes, rings.factors[entry]);
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
