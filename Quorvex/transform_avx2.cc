// The Quorvex rows with AVX2: eight pixels a vector. Built with -mavx2 (which brings no fused
// multiply-add), and run only where the CPU reports AVX2.
#include "Quorvex/vector_rows.h"

#if HOST_X86_VECTORS
#include <immintrin.h>

#include "Quorvex/vector_kernels.h"

namespace quorvex {
namespace {

struct Avx2 {
    using Float = __m256;
    using Int = __m256i;
    static constexpr int32_t kLanes = 8;

    static Float splat(float v) { return _mm256_set1_ps(v); }
    static Int splat(int32_t v) { return _mm256_set1_epi32(v); }
    static Int lane_numbers() { return _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7); }

    static Float add(Float a, Float b) { return _mm256_add_ps(a, b); }
    static Float sub(Float a, Float b) { return _mm256_sub_ps(a, b); }
    static Float mul(Float a, Float b) { return _mm256_mul_ps(a, b); }
    static Int add(Int a, Int b) { return _mm256_add_epi32(a, b); }
    static Int sub(Int a, Int b) { return _mm256_sub_epi32(a, b); }
    static Int mullo(Int a, Int b) { return _mm256_mullo_epi32(a, b); }
    static Int bit_and(Int a, Int b) { return _mm256_and_si256(a, b); }

    static Float to_float(Int v) { return _mm256_cvtepi32_ps(v); }
    static Int truncate(Float v) { return _mm256_cvttps_epi32(v); }

    // Byte k of each pixel as a float: one byte shuffle moves it to the
    // bottom of its lane and clears the rest.
    static Float channel(Int pixels, int k) {
        const Int low_byte_first =
            _mm256_setr_epi32(static_cast<int32_t>(0x80808000), static_cast<int32_t>(0x80808004),
                              static_cast<int32_t>(0x80808008), static_cast<int32_t>(0x8080800C),
                              static_cast<int32_t>(0x80808000), static_cast<int32_t>(0x80808004),
                              static_cast<int32_t>(0x80808008), static_cast<int32_t>(0x8080800C));
        return _mm256_cvtepi32_ps(
            _mm256_shuffle_epi8(pixels, _mm256_add_epi32(low_byte_first, _mm256_set1_epi32(k))));
    }
    // Four lanes of bytes 0..255 into the pixels they are channels of: packed
    // to bytes channel by channel within each 128-bit half, then interleaved.
    static Int pack_channels(Int blue, Int green, Int red, Int alpha) {
        const Int by_channel =
            _mm256_packus_epi16(_mm256_packs_epi32(blue, green), _mm256_packs_epi32(red, alpha));
        return _mm256_shuffle_epi8(
            by_channel, _mm256_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15,  //
                                         0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15));
    }

    // Masks: all bits set in a lane where the test holds; the ordered
    // comparisons fail on NaN.
    static Int at_least(Float a, Float b) {
        return _mm256_castps_si256(_mm256_cmp_ps(a, b, _CMP_GE_OQ));
    }
    static Int below(Float a, Float b) {
        return _mm256_castps_si256(_mm256_cmp_ps(a, b, _CMP_LT_OQ));
    }
    static Int greater(Int a, Int b) { return _mm256_cmpgt_epi32(a, b); }
    static bool any(Int mask) { return !_mm256_testz_si256(mask, mask); }
    static bool all(Int mask) { return _mm256_movemask_ps(_mm256_castsi256_ps(mask)) == 0xFF; }
    // Whether `test` holds in every lane of `mask`.
    static bool holds_in(Int test, Int mask) { return _mm256_testc_si256(test, mask); }
    static Int select(Int mask, Int a, Int b) { return _mm256_blendv_epi8(b, a, mask); }

    static Int load(const uint8_t* p) {
        return _mm256_loadu_si256(reinterpret_cast<const Int*>(p));
    }
    static void store(uint8_t* p, Int v) { _mm256_storeu_si256(reinterpret_cast<Int*>(p), v); }
    // The pixels at `offsets` from row 0 in the lanes of `mask`, 0 elsewhere;
    // the other lanes are not read.
    static Int gather(const uint8_t* row0, Int offsets, Int mask) {
        return _mm256_mask_i32gather_epi32(_mm256_setzero_si256(),
                                           reinterpret_cast<const int*>(row0), offsets, mask,
                                           host::kPixelBytes);
    }
    // Each pixel and the one to its right, read as one 8-byte pair: half as
    // many reads, and plain loads, which beat a gather here. The lanes
    // outside `mask` read the pair at row 0's start instead, which exists
    // because a sampled lane has a right neighbour. Pairs of lanes 0 1 4 5
    // and 2 3 6 7 go together, so that splitting them within each 128-bit
    // half puts the pixels back in order.
    struct Pair {
        Int first, second;
    };
    static Pair gather_pairs(const uint8_t* row0, Int offsets, Int mask) {
        alignas(32) int32_t at[kLanes];
        _mm256_store_si256(reinterpret_cast<Int*>(at), _mm256_and_si256(offsets, mask));
        auto two = [&](int i, int j) {
            return _mm_unpacklo_epi64(read_pair(row0, at[i]), read_pair(row0, at[j]));
        };
        const __m256 a = _mm256_castsi256_ps(_mm256_setr_m128i(two(0, 1), two(4, 5)));
        const __m256 b = _mm256_castsi256_ps(_mm256_setr_m128i(two(2, 3), two(6, 7)));
        return {_mm256_castps_si256(_mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0))),
                _mm256_castps_si256(_mm256_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)))};
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

const RowTransforms kAvx2RowTransforms{vector_kernels::nearest_row<Avx2>,
                                       vector_kernels::bilinear_row<Avx2>};

}  // namespace quorvex
#endif
