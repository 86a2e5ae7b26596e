// The column ripple's row with AVX2: eight pixels a vector, each gathered
// from its column's source row, the lanes whose strip does not cover the row
// left at zero by the gather's mask. Built with -mavx2, run only where the
// CPU has it.
#include "lumoria/effects/ripple_rows.h"

#if HOST_X86_VECTORS
#include <immintrin.h>

#include "host/host_bitmap.h"

namespace lumoria {
namespace {

constexpr int32_t kLanes = 8;

void gather_columns(uint8_t* dest, uintptr_t src_row, const ColumnPlaces& places, int32_t first,
                    int32_t end, int32_t y) {
    const __m256i row = _mm256_set1_epi32(y);
    const __m256i row_below = _mm256_set1_epi32(y + 1);  // y is a row of dest: no wrap
    const auto* base = reinterpret_cast<const int*>(src_row);
    int32_t c = first;
    for (; end - c >= kLanes; c += kLanes) {
        const __m256i tops = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(places.top + c));
        const __m256i ends = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(places.end + c));
        const __m256i offset =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(places.offset + c));
        // top <= y < end
        const __m256i covered =
            _mm256_and_si256(_mm256_cmpgt_epi32(row_below, tops), _mm256_cmpgt_epi32(ends, row));
        const __m256i pixels =
            _mm256_mask_i32gather_epi32(_mm256_setzero_si256(), base, offset, covered, 1);
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(dest + static_cast<ptrdiff_t>(c) * host::kPixelBytes),
            pixels);
    }
    place_columns(dest, src_row, places, c, end, y);
}

}  // namespace

const RippleRows kAvx2RippleRows{gather_columns};

}  // namespace lumoria
#endif
