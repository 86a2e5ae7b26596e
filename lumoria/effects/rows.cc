#include "lumoria/effects/rows.h"

#include "lumoria/effects/blur_walk.h"
#include "lumoria/effects/centre_line.h"

namespace lumoria {
namespace {

// The plain mean of a line's points: one pixel at a time into 64-bit sums.
void sum_and_mean(uintptr_t first, const CentreLine& line, int64_t points, uint8_t* out) {
    ChannelSums sums;
    sum_line(first, line, points, sums);
    store_mean(sums, static_cast<uint64_t>(points), out);
}

}  // namespace

void add_row(const uint8_t* pixels, int64_t width, ChannelSums& sums) {
    for (int64_t i = 0; i < width; ++i) add_pixel(sums, pixels + i * host::kPixelBytes);
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

void blur_row_fixed(const BlurFrame& frame, int32_t y, int32_t samples) {
    blur_row(frame, y, FixedRun{samples}, sum_and_mean);
}

void blur_row_scaled(const BlurFrame& frame, int32_t y, int32_t samples) {
    blur_row(frame, y, ScaledRun(frame, samples), sum_and_mean);
}

void copy_row(const BlurFrame& frame, int32_t y) {
    const uint8_t* in = frame.src.row(y);
    uint8_t* out = frame.dest.row(y);
    for (int32_t x = 0; x < frame.dest.width; ++x) {
        const ptrdiff_t offset = static_cast<ptrdiff_t>(x) * host::kPixelBytes;
        copy_pixel(in + offset, out + offset);
    }
}

}  // namespace lumoria
