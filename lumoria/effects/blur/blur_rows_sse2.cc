// The radial blur rows with SSE2: each pixel's line walked as in the plain
// row, its samples widened into 16-bit channel lanes and added as one
// vector, without a branch per step.
#include "lumoria/effects/blur/blur_rows.h"

#if HOST_X86_VECTORS
#include <algorithm>

#include "host/vector_sse2.h"
#include "lumoria/effects/blur/blur_walk.h"

namespace lumoria {
namespace {

using V = host::Sse2;

// The truncated means of the four 32-bit channel sums (blue, green, red,
// alpha) of `points` samples (at most 32769), stored as one pixel: the float
// mean of channel_sums.h.
void store_mean_vector(V::I32 sums, int64_t points, uint8_t* out) {
    const V::I32 means = V::truncate(V::to_floats(sums) / static_cast<float>(points));
    V::store_pixel(out, V::pack_32_to_8(means));
}

void mean_line_sse2(uintptr_t first, const CentreLine& line, int64_t points, uint8_t* out) {
    V::I32 sums{};
    int32_t error = line.major_length / 2;
    uintptr_t point = first;
    for (int64_t left = points; left > 0;) {
        const int64_t chunk = std::min<int64_t>(left, kSamplesPerFlush);
        V::U16 part{};
        for (int64_t k = 0; k < chunk; ++k) {
            part += V::widen_8_to_16_low(V::load_pixel(reinterpret_cast<const uint8_t*>(point)));
            error -= line.minor_length;
            const bool turns = error < 0;
            point += turns ? line.minor_step : 0;
            error += turns ? line.major_length : 0;
            point += line.major_step;
        }
        sums += V::widen_16_to_32_low(part);
        left -= chunk;
    }
    store_mean_vector(sums, points, out);
}

void fixed_row(const BlurFrame& frame, int32_t y, int32_t samples) {
    blur_row(frame, y, FixedRun{samples}, mean_line_sse2);
}

void scaled_row(const BlurFrame& frame, int32_t y, int32_t samples) {
    blur_row(frame, y, ScaledRun(frame, samples), mean_line_sse2);
}

}  // namespace

const BlurRows kSse2BlurRows{fixed_row, scaled_row};

}  // namespace lumoria
#endif
