// pixelize's block sums and fills with AVX-512, and blocks 8 pixels wide
// two to a vector.
#include "lumoria/effects/pixelize/block_rows.h"

#if HOST_X86_VECTORS
#include <algorithm>

#include "host/vector_avx512.h"
#include "lumoria/effects/pixelize/block_rows_kernel.h"

namespace lumoria {
namespace {

// A vector holds two blocks' rows of 8 pixels. Its bytes are regrouped so
// that each 64-bit lane holds one byte place of one block's row, which one
// vpsadbw adds up: lanes 0-3 the places 0-3 of the left block, 4-7 of the
// right one.
__m512i byte_places_by_block() {
    alignas(64) uint8_t index[64];
    for (int lane = 0; lane < 8; ++lane)
        for (int pixel = 0; pixel < 8; ++pixel)
            index[lane * 8 + pixel] =
                static_cast<uint8_t>(((lane / 4) * 8 + pixel) * host::kPixelBytes + lane % 4);
    return _mm512_load_si512(index);
}

// The blocks of a run are all summed before any is filled: a block's loads
// would otherwise wait on the stores of its neighbour, which share their
// cache lines.
constexpr int64_t kPairsPerRun = 16;

void flatten_8_wide(uint8_t* first, uintptr_t stride, int64_t blocks, int64_t height) {
    const __m512i places = byte_places_by_block();
    const __m512i zero = _mm512_setzero_si512();
    // The float mean of channel_sums.h (kLargest8WideHeight keeps to it).
    const __m256 count = _mm256_set1_ps(static_cast<float>(8 * height));
    // The left block's mean to pixels 0-7, the right one's to 8-15.
    const __m512i halves = _mm512_set_epi32(1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0);
    // The pixels of the pair from block `left`: an odd last block alone, its
    // neighbour loaded as zeros and never stored.
    const auto pair_lanes = [&](int64_t left) -> __mmask16 {
        return left + 1 < blocks ? 0xFFFF : 0x00FF;
    };
    for (int64_t run_start = 0; run_start < blocks; run_start += 2 * kPairsPerRun) {
        const int64_t pairs = std::min<int64_t>((blocks - run_start + 1) / 2, kPairsPerRun);
        __m512i fills[kPairsPerRun];
        for (int64_t p = 0; p < pairs; ++p) {
            const int64_t left = run_start + 2 * p;
            const __mmask16 lanes = pair_lanes(left);
            const uint8_t* top = first + left * 8 * host::kPixelBytes;
            __m512i sums = zero;
            for (int64_t k = 0; k < height; ++k) {
                const __m512i pixels =
                    _mm512_maskz_loadu_epi32(lanes, top - static_cast<uintptr_t>(k) * stride);
                sums = _mm512_add_epi64(
                    sums, _mm512_sad_epu8(_mm512_permutexvar_epi8(places, pixels), zero));
            }
            const __m256 totals = _mm256_cvtepi32_ps(_mm512_cvtepi64_epi32(sums));
            const __m256i means = _mm256_cvttps_epi32(_mm256_div_ps(totals, count));
            fills[p] = _mm512_permutexvar_epi32(
                halves, _mm512_castsi128_si512(_mm256_cvtepi32_epi8(means)));
        }
        for (int64_t p = 0; p < pairs; ++p) {
            const int64_t left = run_start + 2 * p;
            const __mmask16 lanes = pair_lanes(left);
            uint8_t* top = first + left * 8 * host::kPixelBytes;
            for (int64_t k = 0; k < height; ++k)
                _mm512_mask_storeu_epi32(top - static_cast<uintptr_t>(k) * stride, lanes, fills[p]);
        }
    }
}

}  // namespace

const BlockRows kAvx512BlockRows{vector_sum<host::Avx512>, vector_fill<host::Avx512>,
                                 flatten_8_wide};

}  // namespace lumoria
#endif
