// The ripples' rows with AVX-512, sixteen pixels a vector: the AVX2 rows'
// steps (see there) in twice the lanes, with mask registers for the lanes a
// gather reads. Built with the AVX-512 level's flags, run only where the CPU
// has them.
#include "lumoria/effects/ripples/ripple_rows.h"

#if HOST_X86_VECTORS
#include <immintrin.h>

#include <initializer_list>

// The AVX-512 vector layer, for its settings of the compiler's warnings.
#include "host/host_bitmap.h"
#include "host/vector_avx512.h"

namespace lumoria {
namespace {

constexpr int32_t kLanes = 16;

void gather_columns(uint8_t* dest, uintptr_t src_row, const ColumnPlaces& places, int32_t first,
                    int32_t end, int32_t y) {
    const __m512i row = _mm512_set1_epi32(y);
    const auto* base = reinterpret_cast<const int*>(src_row);
    int32_t c = first;
    for (; end - c >= kLanes; c += kLanes) {
        const __m512i tops = _mm512_loadu_si512(places.top + c);
        const __m512i ends = _mm512_loadu_si512(places.end + c);
        const __m512i offset = _mm512_loadu_si512(places.offset + c);
        // top <= y < end
        const __mmask16 covered =
            _mm512_cmple_epi32_mask(tops, row) & _mm512_cmpgt_epi32_mask(ends, row);
        const __m512i pixels =
            _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), covered, offset, base, 1);
        _mm512_storeu_si512(dest + static_cast<ptrdiff_t>(c) * host::kPixelBytes, pixels);
    }
    place_columns(dest, src_row, places, c, end, y);
}

// scale_pixels of the AVX2 rows: byte * factor truncated and saturated as
// (byte * M) >> (150 - E) for a positive normal factor M * 2^(E - 150),
// 0 for zero, negative and subnormal factors; alpha kept.
inline __m512i scale_pixels(__m512i pixels, __m512 factors) {
    const __m512i bits = _mm512_castps_si512(factors);
    const __mmask16 normal = _mm512_cmpgt_epi32_mask(bits, _mm512_set1_epi32(0x007FFFFF));
    const __m512i mantissa =
        _mm512_maskz_or_epi32(normal, _mm512_and_si512(bits, _mm512_set1_epi32(0x007FFFFF)),
                              _mm512_set1_epi32(0x00800000));
    const __m512i shift =
        _mm512_max_epi32(_mm512_sub_epi32(_mm512_set1_epi32(150), _mm512_srli_epi32(bits, 23)),
                         _mm512_setzero_si512());
    const __m512i byte = _mm512_set1_epi32(0xFF);
    __m512i out = _mm512_andnot_si512(_mm512_set1_epi32(0x00FFFFFF), pixels);  // alpha
    for (const int at : {0, 8, 16}) {
        const __m512i value = _mm512_and_si512(_mm512_srli_epi32(pixels, at), byte);
        const __m512i scaled = _mm512_srlv_epi32(_mm512_mullo_epi32(value, mantissa), shift);
        out = _mm512_or_si512(out, _mm512_slli_epi32(_mm512_min_epu32(scaled, byte), at));
    }
    return out;
}

void scale_ring_row(uint8_t* first, int64_t width, int64_t first_dx, float dy_squared,
                    const RingTable& rings) {
    const __m512 dy2 = _mm512_set1_ps(dy_squared);
    const __m512i lane = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m512i nearest = _mm512_set1_epi32(static_cast<int32_t>(rings.first_distance));
    const __m512i size = _mm512_set1_epi32(static_cast<int32_t>(rings.size));
    const __m512 keep = _mm512_set1_ps(1.0f);  // beyond the radius: every byte as it is
    int64_t i = 0;
    for (; width - i >= kLanes; i += kLanes) {
        const __m512 dx = _mm512_cvtepi32_ps(
            _mm512_add_epi32(_mm512_set1_epi32(static_cast<int32_t>(first_dx + i)), lane));
        const __m512 sum = _mm512_add_ps(_mm512_mul_ps(dx, dx), dy2);
        const __m512i entry = _mm512_sub_epi32(_mm512_cvttps_epi32(_mm512_sqrt_ps(sum)), nearest);
        const __mmask16 inside = _mm512_cmpge_epi32_mask(entry, _mm512_setzero_si512()) &
                                 _mm512_cmpgt_epi32_mask(size, entry);
        const __m512 factors = _mm512_mask_i32gather_ps(keep, inside, entry, rings.factors, 4);
        uint8_t* p = first + i * host::kPixelBytes;
        _mm512_storeu_si512(p, scale_pixels(_mm512_loadu_si512(p), factors));
    }
    ring_row(first + i * host::kPixelBytes, width - i, first_dx + i, dy_squared, rings);
}

}  // namespace

const RippleRows kAvx512RippleRows{gather_columns, scale_ring_row};

}  // namespace lumoria
#endif
