// The Quorvex rows with AVX-512: 16 pixels a vector. Built with the AVX-512
// level's flags (which bring no fused multiply-add), and run only where the
// CPU reports that level.
#include "Quorvex/transform_rows.h"

#if HOST_X86_VECTORS
#include "Quorvex/transform_rows_kernel.h"
#include "host/vector_avx512.h"

namespace quorvex {
namespace {

// The AVX-512 vectors with the reads of source pixels.
struct Transforms : host::Avx512 {
    // The pixels at `offsets` from row 0 in the lanes of `mask`, 0 elsewhere;
    // the other lanes are not read.
    static U32 gather(const uint8_t* row0, I32 offsets, I32 mask) {
        return gather_32<host::kPixelBytes>(row0, offsets, mask);
    }
    // Whether `test` holds in every lane of `mask`.
    static bool holds_in(I32 test, I32 mask) { return !any(mask & ~test); }
    // Each pixel and the one to its right, gathered as 8-byte pairs, eight
    // lanes at a time, then parted into the first and the second pixels.
    struct Pair {
        U32 first, second;
    };
    static Pair gather_pairs(const uint8_t* row0, I32 offsets, I32 mask) {
        const __mmask16 lanes = _mm512_test_epi32_mask((__m512i)mask, (__m512i)mask);
        const __m512i low = _mm512_mask_i32gather_epi64(
            _mm512_setzero_si512(), static_cast<__mmask8>(lanes),
            _mm512_castsi512_si256((__m512i)offsets), row0, host::kPixelBytes);
        const __m512i high = _mm512_mask_i32gather_epi64(
            _mm512_setzero_si512(), static_cast<__mmask8>(lanes >> 8),
            _mm512_extracti64x4_epi64((__m512i)offsets, 1), row0, host::kPixelBytes);
        const __m512i evens =
            _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
        const __m512i odds =
            _mm512_setr_epi32(1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31);
        return {(U32)_mm512_permutex2var_epi32(low, evens, high),
                (U32)_mm512_permutex2var_epi32(low, odds, high)};
    }
};

}  // namespace

const RowTransforms kAvx512RowTransforms{vector_kernels::nearest_row<Transforms>,
                                         vector_kernels::bilinear_row<Transforms>};

}  // namespace quorvex
#endif
