// get_pixels' bands with SSE2: four rows of four pixels transposed into four
// columns, then each pixel widened to its record.
#include "lumoria/readback/record_rows.h"

#if HOST_X86_VECTORS
#include <emmintrin.h>

namespace lumoria {
namespace {

// Four pixels of one column (consecutive rows) into their four records:
// bytes widened to 32 bits, then blue and red swapped.
inline void store_records(__m128i pixels, int32_t* record, bool stream) {
    stream = stream && fills_a_line(record);
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = _mm_unpacklo_epi8(pixels, zero);
    const __m128i high = _mm_unpackhi_epi8(pixels, zero);
    const __m128i wide[4] = {_mm_unpacklo_epi16(low, zero), _mm_unpackhi_epi16(low, zero),
                             _mm_unpacklo_epi16(high, zero), _mm_unpackhi_epi16(high, zero)};
    for (int k = 0; k < 4; ++k) {
        const __m128i rgba = _mm_shuffle_epi32(wide[k], _MM_SHUFFLE(3, 0, 1, 2));
        auto* at = reinterpret_cast<__m128i*>(record + 4 * k);
        if (stream)
            _mm_stream_si128(at, rgba);
        else
            _mm_storeu_si128(at, rgba);
    }
}

inline void block(const uint8_t* p, uintptr_t stride, int32_t* record, size_t step, bool stream) {
    __m128i row[4];
    for (int k = 0; k < 4; ++k)
        row[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p - k * stride));
    const __m128i t0 = _mm_unpacklo_epi32(row[0], row[1]);
    const __m128i t1 = _mm_unpacklo_epi32(row[2], row[3]);
    const __m128i t2 = _mm_unpackhi_epi32(row[0], row[1]);
    const __m128i t3 = _mm_unpackhi_epi32(row[2], row[3]);
    store_records(_mm_unpacklo_epi64(t0, t1), record, stream);
    store_records(_mm_unpackhi_epi64(t0, t1), record + step, stream);
    store_records(_mm_unpacklo_epi64(t2, t3), record + 2 * step, stream);
    store_records(_mm_unpackhi_epi64(t2, t3), record + 3 * step, stream);
}

void band(const host::Surface& s, int32_t y0, int32_t count, int32_t* out, bool stream) {
    band_by_blocks(s, y0, count, out,
                   [stream](const uint8_t* p, uintptr_t stride, int32_t* record, size_t step) {
                       block(p, stride, record, step, stream);
                   });
    if (stream) _mm_sfence();
}

}  // namespace

const RecordRows kSse2RecordRows{band};

}  // namespace lumoria
#endif
