// The radial blur rows with SSE2: each pixel's line walked as in the plain
// row, its samples widened into 16-bit channel lanes and added as one
// vector, without a branch per step.
#include "lumoria/effects/vector_rows.h"

#if HOST_X86_VECTORS
#include <emmintrin.h>

#include <algorithm>
#include <cstring>

#include "lumoria/effects/blur_walk.h"

namespace lumoria {
namespace {

// 16-bit lanes hold the sums of this many bytes: 255 · 256 < 65536.
constexpr int64_t kSamplesPerFlush = 256;

// The truncated means of the four 32-bit channel sums (blue, green, red,
// alpha) of `points` samples, stored as one pixel. Sums below 2^24 and
// counts of at most 32769 are exact in float, and the rounded quotient never
// reaches the next whole number: a mean that is not whole lies at least
// 1/points below it, more than half a float step at 255.
void store_mean_vector(__m128i sums, int64_t points, uint8_t* out) {
    const __m128 count = _mm_set1_ps(static_cast<float>(points));
    const __m128i means = _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(sums), count));
    const __m128i words = _mm_packs_epi32(means, means);
    const auto pixel = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
    std::memcpy(out, &pixel, sizeof pixel);
}

void mean_line_sse2(uintptr_t first, const CentreLine& line, int64_t points, uint8_t* out) {
    const __m128i zero = _mm_setzero_si128();
    __m128i sums = zero;
    int32_t error = line.major_length / 2;
    uintptr_t point = first;
    for (int64_t left = points; left > 0;) {
        const int64_t chunk = std::min(left, kSamplesPerFlush);
        __m128i part = zero;
        for (int64_t k = 0; k < chunk; ++k) {
            int32_t pixel;
            std::memcpy(&pixel, reinterpret_cast<const void*>(point), sizeof pixel);
            part = _mm_add_epi16(part, _mm_unpacklo_epi8(_mm_cvtsi32_si128(pixel), zero));
            error -= line.minor_length;
            const bool turns = error < 0;
            point += turns ? line.minor_step : 0;
            error += turns ? line.major_length : 0;
            point += line.major_step;
        }
        sums = _mm_add_epi32(sums, _mm_unpacklo_epi16(part, zero));
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
