// The choice of radial blur rows for a pass.
#include "host/cpu_features.h"
#include "lumoria/effects/blur_vectors.h"

namespace lumoria {

const BlurRows kPlainBlurRows{blur_row_fixed, blur_row_scaled};

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

const BlurRows& blur_rows_for([[maybe_unused]] const BlurFrame& frame) {
#if HOST_X86_VECTORS
    if (fits_vector_blur(frame)) return host::cpu_has_avx2() ? kAvx2BlurRows : kSse2BlurRows;
#endif
    return kPlainBlurRows;
}

}  // namespace lumoria
