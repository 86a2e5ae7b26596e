// The Quorvex rows with SSE2, the baseline of every x86-64 CPU (and of the
// 32-bit build): four pixels a vector. SSE2 cannot gather, so the sampled
// pixels are loaded one lane at a time.
#include "Quorvex/vector_rows.h"

#if HOST_X86_VECTORS
#include <emmintrin.h>

#include <cstring>

#include "Quorvex/vector_kernels.h"

namespace quorvex {
namespace {

struct Sse2 {
    using Float = __m128;
    using Int = __m128i;
    static constexpr int32_t kLanes = 4;

    static Float splat(float v) { return _mm_set1_ps(v); }
    static Int splat(int32_t v) { return _mm_set1_epi32(v); }
    static Int lane_numbers() { return _mm_setr_epi32(0, 1, 2, 3); }

    static Float add(Float a, Float b) { return _mm_add_ps(a, b); }
    static Float sub(Float a, Float b) { return _mm_sub_ps(a, b); }
    static Float mul(Float a, Float b) { return _mm_mul_ps(a, b); }
    static Int add(Int a, Int b) { return _mm_add_epi32(a, b); }
    static Int sub(Int a, Int b) { return _mm_sub_epi32(a, b); }
    // The low 32 bits of each product, from the two 64-bit products of the
    // even lanes and of the odd ones.
    static Int mullo(Int a, Int b) {
        const Int even = _mm_mul_epu32(a, b);
        const Int odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), _mm_srli_epi64(b, 32));
        return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                                  _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
    }
    static Int bit_and(Int a, Int b) { return _mm_and_si128(a, b); }

    static Float to_float(Int v) { return _mm_cvtepi32_ps(v); }
    static Int truncate(Float v) { return _mm_cvttps_epi32(v); }

    // Byte k of each pixel as a float.
    static Float channel(Int pixels, int k) {
        return _mm_cvtepi32_ps(_mm_and_si128(_mm_srli_epi32(pixels, 8 * k), _mm_set1_epi32(0xFF)));
    }
    // Four lanes of bytes 0..255 into the pixels they are channels of.
    static Int pack_channels(Int blue, Int green, Int red, Int alpha) {
        return _mm_or_si128(_mm_or_si128(blue, _mm_slli_epi32(green, 8)),
                            _mm_or_si128(_mm_slli_epi32(red, 16), _mm_slli_epi32(alpha, 24)));
    }

    // Masks: all bits set in a lane where the test holds; NaN fails both.
    static Int at_least(Float a, Float b) { return _mm_castps_si128(_mm_cmpge_ps(a, b)); }
    static Int below(Float a, Float b) { return _mm_castps_si128(_mm_cmplt_ps(a, b)); }
    static Int greater(Int a, Int b) { return _mm_cmpgt_epi32(a, b); }
    static bool any(Int mask) { return lanes(mask) != 0; }
    static bool all(Int mask) { return lanes(mask) == 0xF; }
    // Whether `test` holds in every lane of `mask`.
    static bool holds_in(Int test, Int mask) { return lanes(_mm_andnot_si128(test, mask)) == 0; }
    static Int select(Int mask, Int a, Int b) {
        return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
    }

    static Int load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const Int*>(p)); }
    static void store(uint8_t* p, Int v) { _mm_storeu_si128(reinterpret_cast<Int*>(p), v); }
    // The pixels at `offsets` from row 0 in the lanes of `mask`, 0 elsewhere.
    static Int gather(const uint8_t* row0, Int offsets, Int mask) {
        alignas(16) uint32_t pixels[kLanes] = {};
        read_lanes(row0, offsets, mask, [&](int lane, const uint8_t* p) {
            std::memcpy(&pixels[lane], p, host::kPixelBytes);
        });
        return _mm_load_si128(reinterpret_cast<const Int*>(pixels));
    }
    // Likewise each pixel and the one to its right.
    struct Pair {
        Int first, second;
    };
    static Pair gather_pairs(const uint8_t* row0, Int offsets, Int mask) {
        alignas(16) uint32_t first[kLanes] = {}, second[kLanes] = {};
        read_lanes(row0, offsets, mask, [&](int lane, const uint8_t* p) {
            std::memcpy(&first[lane], p, host::kPixelBytes);
            std::memcpy(&second[lane], p + host::kPixelBytes, host::kPixelBytes);
        });
        return {_mm_load_si128(reinterpret_cast<const Int*>(first)),
                _mm_load_si128(reinterpret_cast<const Int*>(second))};
    }

  private:
    static int lanes(Int mask) { return _mm_movemask_ps(_mm_castsi128_ps(mask)); }

    // Calls read(lane, address) for each lane of `mask`.
    template <class Read>
    static void read_lanes(const uint8_t* row0, Int offsets, Int mask, Read read) {
        alignas(16) int32_t at[kLanes];
        _mm_store_si128(reinterpret_cast<Int*>(at), offsets);
        const int in = lanes(mask);
        for (int lane = 0; lane < kLanes; ++lane) {
            if (!(in >> lane & 1)) continue;
            const uintptr_t address =
                reinterpret_cast<uintptr_t>(row0) +
                static_cast<uintptr_t>(static_cast<intptr_t>(at[lane])) * host::kPixelBytes;
            read(lane, reinterpret_cast<const uint8_t*>(address));
        }
    }
};

}  // namespace

const RowTransforms kSse2RowTransforms{vector_kernels::nearest_row<Sse2>,
                                       vector_kernels::bilinear_row<Sse2>};

}  // namespace quorvex
#endif
