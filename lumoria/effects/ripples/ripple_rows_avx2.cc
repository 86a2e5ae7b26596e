// The ripples' rows with AVX2, eight pixels a vector. A column ripple's row
// gathers each pixel from its column's source row, the lanes whose strip
// does not cover the row left at zero by the gather's mask. A ring row takes
// the distances in 32-bit float lanes and gathers their factors. Built with
// -mavx2, run only where the CPU has it.
#include "lumoria/effects/ripples/ripple_rows.h"

#if HOST_X86_VECTORS
#include <immintrin.h>

#include <initializer_list>

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

// Blue, green and red of eight pixels scaled by their factors, saturated to
// 0..255, alpha kept: exactly scaled_channel's truncated double product, in
// integers. A positive normal factor is M * 2^(E - 150), M its 24-bit
// mantissa with the hidden bit and E its exponent, so byte * factor
// truncated is (byte * M) >> (150 - E), the product below 2^32; shifts of 32
// or more give 0, and a shift below 0 (factors of 2^23 and more) may be
// taken as 0, which saturates every byte but 0 all the same. Zero, negative
// and subnormal factors give 0. (The factors are finite: no infinity or NaN
// reaches here.)
inline __m256i scale_pixels(__m256i pixels, __m256 factors) {
    const __m256i bits = _mm256_castps_si256(factors);
    const __m256i normal = _mm256_cmpgt_epi32(bits, _mm256_set1_epi32(0x007FFFFF));
    const __m256i mantissa = _mm256_and_si256(
        normal, _mm256_or_si256(_mm256_and_si256(bits, _mm256_set1_epi32(0x007FFFFF)),
                                _mm256_set1_epi32(0x00800000)));
    const __m256i shift =
        _mm256_max_epi32(_mm256_sub_epi32(_mm256_set1_epi32(150), _mm256_srli_epi32(bits, 23)),
                         _mm256_setzero_si256());
    const __m256i byte = _mm256_set1_epi32(0xFF);
    __m256i out = _mm256_andnot_si256(_mm256_set1_epi32(0x00FFFFFF), pixels);  // alpha
    for (const int at : {0, 8, 16}) {
        const __m256i value = _mm256_and_si256(_mm256_srli_epi32(pixels, at), byte);
        const __m256i scaled = _mm256_srlv_epi32(_mm256_mullo_epi32(value, mantissa), shift);
        out = _mm256_or_si256(out, _mm256_slli_epi32(_mm256_min_epu32(scaled, byte), at));
    }
    return out;
}

void scale_ring_row(uint8_t* first, int64_t width, int64_t first_dx, float dy_squared,
                    const RingTable& rings) {
    const __m256 dy2 = _mm256_set1_ps(dy_squared);
    const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i nearest = _mm256_set1_epi32(static_cast<int32_t>(rings.first_distance));
    const __m256i size = _mm256_set1_epi32(static_cast<int32_t>(rings.size));
    const __m256 keep = _mm256_set1_ps(1.0f);  // beyond the radius: every byte as it is
    int64_t i = 0;
    for (; width - i >= kLanes; i += kLanes) {
        // The steps, squares, sum and root in the same 32-bit floats as the
        // plain rule; a float's square root rounded once is the double root
        // rounded to float.
        const __m256 dx = _mm256_cvtepi32_ps(
            _mm256_add_epi32(_mm256_set1_epi32(static_cast<int32_t>(first_dx + i)), lane));
        const __m256 sum = _mm256_add_ps(_mm256_mul_ps(dx, dx), dy2);
        const __m256i entry = _mm256_sub_epi32(_mm256_cvttps_epi32(_mm256_sqrt_ps(sum)), nearest);
        const __m256i inside = _mm256_andnot_si256(
            _mm256_cmpgt_epi32(_mm256_setzero_si256(), entry), _mm256_cmpgt_epi32(size, entry));
        const __m256 factors =
            _mm256_mask_i32gather_ps(keep, rings.factors, entry, _mm256_castsi256_ps(inside), 4);
        auto* p = reinterpret_cast<__m256i*>(first + i * host::kPixelBytes);
        _mm256_storeu_si256(p, scale_pixels(_mm256_loadu_si256(p), factors));
    }
    ring_row(first + i * host::kPixelBytes, width - i, first_dx + i, dy_squared, rings);
}

}  // namespace

const RippleRows kAvx2RippleRows{gather_columns, scale_ring_row};

}  // namespace lumoria
#endif
