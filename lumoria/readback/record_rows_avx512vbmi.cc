// get_pixels' bands with AVX-512 VBMI: four rows of four pixels in one
// register, and one byte permute per column that picks that column's four
// pixels, puts red first and zeroes the upper bytes of each record's ints.
#include "lumoria/readback/record_rows.h"

#if HOST_X86_VECTORS
#include <immintrin.h>

namespace lumoria {
namespace {

// The permute for column j: int c of record k (row k) takes byte
// {red, green, blue, alpha}[c] of pixel j of row k, which sits in dword
// 4 k + j.
__m512i column_permute(int j) {
    alignas(64) uint8_t index[64] = {};
    constexpr int kChannel[4] = {host::kRed, host::kGreen, host::kBlue, host::kAlpha};
    for (int k = 0; k < 4; ++k)
        for (int c = 0; c < 4; ++c)
            index[16 * k + 4 * c] = static_cast<uint8_t>(16 * k + 4 * j + kChannel[c]);
    return _mm512_load_si512(index);
}

// Only the low byte of every int is taken from the permute.
constexpr __mmask64 kLowBytes = 0x1111111111111111ull;

void band(const host::Surface& s, int32_t y0, int32_t count, int32_t* out, bool stream) {
    const __m512i permute[4] = {column_permute(0), column_permute(1), column_permute(2),
                                column_permute(3)};
    band_by_blocks(
        s, y0, count, out, [&](const uint8_t* p, uintptr_t stride, int32_t* record, size_t step) {
            const auto row = [&](int k) {
                return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p - k * stride));
            };
            __m512i rows = _mm512_castsi128_si512(row(0));
            rows = _mm512_inserti32x4(rows, row(1), 1);
            rows = _mm512_inserti32x4(rows, row(2), 2);
            rows = _mm512_inserti32x4(rows, row(3), 3);
            for (int j = 0; j < 4; ++j) {
                int32_t* at = record + j * step;
                const __m512i records = _mm512_maskz_permutexvar_epi8(kLowBytes, permute[j], rows);
                if (stream && fills_a_line(at))
                    _mm512_stream_si512(reinterpret_cast<__m512i*>(at), records);
                else
                    _mm512_storeu_si512(at, records);
            }
        });
    if (stream) _mm_sfence();
}

}  // namespace

const RecordRows kAvx512RecordRows{band};

}  // namespace lumoria
#endif
