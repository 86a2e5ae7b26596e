// The radial blur rows with AVX2: the lines of eight neighbouring pixels are
// walked together, one per 32-bit lane, each with its own position and
// error term; every step gathers one sample per lane. A lane whose run is
// complete stops reading and adds nothing. Built with -mavx2, and run only
// where the CPU reports AVX2.
#include "lumoria/effects/vector_rows.h"

#if HOST_X86_VECTORS
#include <immintrin.h>

#include <algorithm>

#include "lumoria/effects/blur_walk.h"

namespace lumoria {
namespace {

using Vec = __m256i;
constexpr int32_t kLanes = 8;

// 16-bit halves of a lane hold the sums of this many bytes: 255 · 256 < 65536.
constexpr int32_t kSamplesPerFlush = 256;

// The lines of up to eight neighbouring pixels of one row, a lane each.
// Offsets are in bytes from the source's top row, which the surface's span
// below 2 GiB keeps within 32 bits.
struct Lines {
    Vec offset, error;
    Vec major_length, minor_length, major_step, minor_step;
    Vec points;  // how many samples each lane averages; 0 past the row's end
    int32_t longest;
};

// Each lane's run length: the same for all with fixed runs, else one by one.
Vec runs_of(const FixedRun& run, const BlurFrame&, int32_t, int32_t) {
    return _mm256_set1_epi32(run.samples);
}
Vec runs_of(const ScaledRun& run, const BlurFrame& frame, int32_t x0, int32_t y) {
    alignas(32) int32_t runs[kLanes];
    // Scaled runs lie within the 32-bit range.
    for (int32_t lane = 0; lane < kLanes; ++lane)
        runs[lane] = static_cast<int32_t>(run(x0 + lane - frame.cx, y - frame.cy));
    return _mm256_load_si256(reinterpret_cast<const Vec*>(runs));
}

// The lines of `lanes` pixels from (x0, y), as line_to_centre makes them:
// the major axis is y where the way along y is strictly longer, else x.
template <typename RunLength>
Lines lines_of(const BlurFrame& frame, int32_t x0, int32_t y, int32_t lanes,
               const RunLength& run_length) {
    const Vec lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const Vec x = _mm256_add_epi32(_mm256_set1_epi32(x0), lane);
    const Vec to_x = _mm256_sub_epi32(_mm256_set1_epi32(frame.cx), x);
    const int32_t to_y = frame.cy - y;
    const Vec along_x = _mm256_abs_epi32(to_x);
    const Vec along_y = _mm256_set1_epi32(to_y < 0 ? -to_y : to_y);
    const Vec y_major = _mm256_cmpgt_epi32(along_y, along_x);
    const auto stride = static_cast<int32_t>(frame.src.stride());
    // Rows run downwards in memory: a step down is a step back by a stride.
    const Vec step_x = _mm256_blendv_epi8(_mm256_set1_epi32(-host::kPixelBytes),
                                          _mm256_set1_epi32(host::kPixelBytes),
                                          _mm256_cmpgt_epi32(to_x, _mm256_setzero_si256()));
    const Vec step_y = _mm256_set1_epi32(to_y > 0 ? -stride : stride);
    Lines lines;
    lines.major_length = _mm256_blendv_epi8(along_x, along_y, y_major);
    lines.minor_length = _mm256_blendv_epi8(along_y, along_x, y_major);
    lines.major_step = _mm256_blendv_epi8(step_x, step_y, y_major);
    lines.minor_step = _mm256_blendv_epi8(step_y, step_x, y_major);
    lines.error = _mm256_srli_epi32(lines.major_length, 1);
    // Within the surface's span, so the offset fits 32 bits.
    lines.offset = _mm256_set1_epi32(
        static_cast<int32_t>(int64_t{x0} * host::kPixelBytes - int64_t{y} * stride));
    lines.offset = _mm256_add_epi32(lines.offset, _mm256_slli_epi32(lane, 2));
    // As many points as the run and the line allow, and at least the pixel
    // itself: a pixel that is not blurred is the mean of itself alone.
    const Vec one = _mm256_set1_epi32(1);
    const Vec on_line = _mm256_add_epi32(lines.major_length, one);
    const Vec points =
        _mm256_max_epi32(_mm256_min_epi32(runs_of(run_length, frame, x0, y), on_line), one);
    lines.points = _mm256_and_si256(points, _mm256_cmpgt_epi32(_mm256_set1_epi32(lanes), lane));
    alignas(32) int32_t each[kLanes];
    _mm256_store_si256(reinterpret_cast<Vec*>(each), lines.points);
    lines.longest = *std::max_element(each, each + kLanes);
    return lines;
}

// The truncated mean of each lane's sums. Sums below 2^24 and counts of at
// most 32769 are exact in float, and the rounded quotient never reaches the
// next whole number: a mean that is not whole lies at least 1/points below
// it, more than half a float step at 255.
Vec mean(Vec sums, __m256 count) {
    return _mm256_cvttps_epi32(_mm256_div_ps(_mm256_cvtepi32_ps(sums), count));
}

// Blurs `lanes` (1 to 8) pixels of row y from column x0.
template <typename RunLength>
void blur_lanes(const BlurFrame& frame, int32_t x0, int32_t y, int32_t lanes,
                const RunLength& run_length) {
    const Lines lines = lines_of(frame, x0, y, lanes, run_length);
    const auto* base = reinterpret_cast<const int*>(frame.src.row0);
    const Vec zero = _mm256_setzero_si256();
    const Vec one = _mm256_set1_epi32(1);
    const Vec low_bytes = _mm256_set1_epi32(0x00FF00FF);
    const Vec low_words = _mm256_set1_epi32(0xFFFF);
    Vec offset = lines.offset;
    Vec error = lines.error;
    Vec taken = zero;  // samples taken so far, in every lane
    Vec blue = zero, green = zero, red = zero, alpha = zero;
    for (int32_t done = 0; done < lines.longest;) {
        const int32_t chunk = std::min(lines.longest - done, kSamplesPerFlush);
        // Blue and red, green and alpha: two channels in the halves of a lane.
        Vec blue_red = zero, green_alpha = zero;
        for (int32_t k = 0; k < chunk; ++k) {
            const Vec active = _mm256_cmpgt_epi32(lines.points, taken);
            const Vec pixels = _mm256_mask_i32gather_epi32(zero, base, offset, active, 1);
            blue_red = _mm256_add_epi16(blue_red, _mm256_and_si256(pixels, low_bytes));
            green_alpha = _mm256_add_epi16(
                green_alpha, _mm256_and_si256(_mm256_srli_epi32(pixels, 8), low_bytes));
            error = _mm256_sub_epi32(error, lines.minor_length);
            const Vec turns = _mm256_cmpgt_epi32(zero, error);
            offset = _mm256_add_epi32(offset, _mm256_and_si256(turns, lines.minor_step));
            error = _mm256_add_epi32(error, _mm256_and_si256(turns, lines.major_length));
            offset = _mm256_add_epi32(offset, lines.major_step);
            taken = _mm256_add_epi32(taken, one);
        }
        blue = _mm256_add_epi32(blue, _mm256_and_si256(blue_red, low_words));
        red = _mm256_add_epi32(red, _mm256_srli_epi32(blue_red, 16));
        green = _mm256_add_epi32(green, _mm256_and_si256(green_alpha, low_words));
        alpha = _mm256_add_epi32(alpha, _mm256_srli_epi32(green_alpha, 16));
        done += chunk;
    }
    const __m256 count = _mm256_cvtepi32_ps(_mm256_max_epi32(lines.points, one));
    const Vec pixels = _mm256_or_si256(
        _mm256_or_si256(mean(blue, count), _mm256_slli_epi32(mean(green, count), 8)),
        _mm256_or_si256(_mm256_slli_epi32(mean(red, count), 16),
                        _mm256_slli_epi32(mean(alpha, count), 24)));
    auto* out = reinterpret_cast<int*>(frame.dest.pixel(x0, y));
    if (lanes == kLanes) {
        _mm256_storeu_si256(reinterpret_cast<Vec*>(out), pixels);
    } else {
        _mm256_maskstore_epi32(out, _mm256_cmpgt_epi32(lines.points, zero), pixels);
    }
}

template <typename RunLength>
void blur_row_lanes(const BlurFrame& frame, int32_t y, const RunLength& run_length) {
    const int32_t width = frame.dest.width;
    for (int32_t x0 = 0; x0 < width; x0 += kLanes)
        blur_lanes(frame, x0, y, std::min(kLanes, width - x0), run_length);
}

void fixed_row(const BlurFrame& frame, int32_t y, int32_t samples) {
    blur_row_lanes(frame, y, FixedRun{samples});
}

void scaled_row(const BlurFrame& frame, int32_t y, int32_t samples) {
    blur_row_lanes(frame, y, ScaledRun(frame, samples));
}

}  // namespace

const BlurRows kAvx2BlurRows{fixed_row, scaled_row};

}  // namespace lumoria
#endif
