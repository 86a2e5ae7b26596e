// The choice of radial blur rows for a pass.
#include "lumoria/effects/vector_rows.h"

#include "host/cpu_features.h"

namespace lumoria {

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
    // Both surfaces span the same bytes below their top row's end.
    const uintptr_t a = frame.src.row0;
    const uintptr_t b = frame.dest.row0;
    return (a > b ? a - b : b - a) >= static_cast<uintptr_t>(span);
}

const BlurRows& blur_rows_for(const BlurFrame& frame) {
    return fits_vector_blur(frame) ? kBlurVariants.for_this_cpu() : kPlainBlurRows;
}

}  // namespace lumoria
