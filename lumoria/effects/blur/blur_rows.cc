#include "lumoria/effects/blur/blur_rows.h"

#include "lumoria/effects/blur/blur_walk.h"
#include "lumoria/effects/blur/centre_line.h"

namespace lumoria {
namespace {

// The plain mean of a line's points: one pixel at a time into 64-bit sums.
void sum_and_mean(uintptr_t first, const CentreLine& line, int64_t points, uint8_t* out) {
    ChannelSums sums;
    sum_line(first, line, points, sums);
    store_mean(sums, static_cast<uint64_t>(points), out);
}

}  // namespace

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

const BlurRows kPlainBlurRows{blur_row_fixed, blur_row_scaled};

const host::Variants<BlurRows> kBlurVariants{{
    &kPlainBlurRows,
    HOST_IF_X86_VECTORS(&kSse2BlurRows),
    HOST_IF_X86_VECTORS(&kAvx2BlurRows),
    HOST_IF_X86_VECTORS(&kAvx512BlurRows),
}};

bool fits_vector_blur(const BlurFrame& frame) {
    constexpr int64_t kLongestSide = 65536;
    constexpr int64_t kLargestSpan = int64_t{1} << 31;
    const int64_t width = frame.dest.width;
    const int64_t height = frame.dest.height;
    if (width <= 0 || height <= 0 || width > kLongestSide || height > kLongestSide) return false;
    const int64_t span = width * height * host::kPixelBytes;
    if (span >= kLargestSpan) return false;
    return !host::ranges_meet(frame.src.bytes(), frame.dest.bytes());
}

const BlurRows& blur_rows_for(const BlurFrame& frame) {
    return fits_vector_blur(frame) ? kBlurVariants.for_this_cpu() : kPlainBlurRows;
}

}  // namespace lumoria
