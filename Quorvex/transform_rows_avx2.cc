// The Quorvex rows with AVX2: eight pixels a vector. Built with -mavx2 (which brings no fused
// multiply-add), and run only where the CPU reports AVX2.
#include "Quorvex/transform_rows.h"

#if HOST_X86_VECTORS
#include "Quorvex/transform_rows_kernel.h"
#include "host/vector_avx2.h"

namespace quorvex {
namespace {

// The AVX2 vectors with the reads of source pixels.
struct Transforms : host::Avx2 {
    // The pixels at `offsets` from row 0 in the lanes of `mask`, 0 elsewhere;
    // the other lanes are not read.
    static U32 gather(const uint8_t* row0, I32 offsets, I32 mask) {
        return gather_32<host::kPixelBytes>(row0, offsets, mask);
    }
    // Whether `test` holds in every lane of `mask`.
    static bool holds_in(I32 test, I32 mask) {
        return _mm256_testc_si256((__m256i)test, (__m256i)mask);
    }
    // Each pixel and the one to its right, read as one 8-byte pair: half as
    // many reads, and plain loads, which beat a gather here. The lanes
    // outside `mask` read the pair at row 0's start instead, which exists
    // because a sampled lane has a right neighbour. Pairs of lanes 0 1 4 5
    // and 2 3 6 7 go together, so that splitting them within each 128-bit
    // half puts the pixels back in order.
    struct Pair {
        U32 first, second;
    };
    static Pair gather_pairs(const uint8_t* row0, I32 offsets, I32 mask) {
        const I32 at = offsets & mask;
        auto two = [&](int i, int j) {
            return _mm_unpacklo_epi64(read_pair(row0, at[i]), read_pair(row0, at[j]));
        };
        const __m256 a = _mm256_castsi256_ps(_mm256_setr_m128i(two(0, 1), two(4, 5)));
        const __m256 b = _mm256_castsi256_ps(_mm256_setr_m128i(two(2, 3), two(6, 7)));
        return {(U32)_mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)),
                (U32)_mm256_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1))};
    }

  private:
    static __m128i read_pair(const uint8_t* row0, int32_t offset) {
        const uintptr_t address =
            reinterpret_cast<uintptr_t>(row0) +
            static_cast<uintptr_t>(static_cast<intptr_t>(offset)) * host::kPixelBytes;
        return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(address));
    }
};

}  // namespace

const RowTransforms kAvx2RowTransforms{vector_kernels::nearest_row<Transforms>,
                                       vector_kernels::bilinear_row<Transforms>};

}  // namespace quorvex
#endif
