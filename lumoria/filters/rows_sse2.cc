// The filter rows with SSE2, the baseline of every x86-64 CPU (and of the
// 32-bit build): four pixels a vector.
#include "lumoria/filters/vector_rows.h"

#if HOST_X86_VECTORS
#include <emmintrin.h>

#include "lumoria/filters/vector_kernels.h"

namespace lumoria {
namespace {

struct Sse2 {
    using Vec = __m128i;
    static constexpr int32_t kPixels = 4;

    static Vec load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const Vec*>(p)); }
    static void store(uint8_t* p, Vec v) { _mm_storeu_si128(reinterpret_cast<Vec*>(p), v); }
    static Vec splat16(uint16_t v) { return _mm_set1_epi16(static_cast<int16_t>(v)); }
    static Vec splat32(uint32_t v) { return _mm_set1_epi32(static_cast<int32_t>(v)); }
    static Vec bit_and(Vec a, Vec b) { return _mm_and_si128(a, b); }
    static Vec bit_or(Vec a, Vec b) { return _mm_or_si128(a, b); }
    static Vec bit_xor(Vec a, Vec b) { return _mm_xor_si128(a, b); }
    static Vec mulhi16(Vec a, Vec b) { return _mm_mulhi_epu16(a, b); }
    static Vec shr16(Vec v, int n) { return _mm_srli_epi16(v, n); }
    static Vec shr32(Vec v, int n) { return _mm_srli_epi32(v, n); }
    static Vec narrow(Vec low, Vec high) { return _mm_packus_epi16(low, high); }

    // Per channel in 16-bit lanes, the weights of x and of y.
    struct Weights {
        Vec x, y;
    };
    static Weights weights(const uint8_t (&x)[4], const uint8_t (&y)[4]) {
        return {lanes16(x), lanes16(y)};
    }
    static Vec pair_sums_low(Vec x, Vec y, const Weights& w) {
        const Vec zero = _mm_setzero_si128();
        return _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(x, zero), w.x),
                             _mm_mullo_epi16(_mm_unpacklo_epi8(y, zero), w.y));
    }
    static Vec pair_sums_high(Vec x, Vec y, const Weights& w) {
        const Vec zero = _mm_setzero_si128();
        return _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(x, zero), w.x),
                             _mm_mullo_epi16(_mm_unpackhi_epi8(y, zero), w.y));
    }

    // blue + green + red of each pixel, in its 32-bit lane.
    static Vec channel_sums(Vec v) {
        const Vec byte = splat32(0xFF);
        return _mm_add_epi32(
            _mm_add_epi32(_mm_and_si128(v, byte), _mm_and_si128(_mm_srli_epi32(v, 8), byte)),
            _mm_and_si128(_mm_srli_epi32(v, 16), byte));
    }
    // A value 0..255 in each 32-bit lane, copied into its three low bytes.
    static Vec spread_grey(Vec grey) {
        return _mm_or_si128(_mm_or_si128(grey, _mm_slli_epi32(grey, 8)), _mm_slli_epi32(grey, 16));
    }

  private:
    static Vec lanes16(const uint8_t (&w)[4]) {
        return _mm_set1_epi64x(static_cast<int64_t>(uint64_t{w[0]} | uint64_t{w[1]} << 16 |
                                                    uint64_t{w[2]} << 32 | uint64_t{w[3]} << 48));
    }
};

}  // namespace

// SSE2 has no byte shuffle: the table lookups keep their plain rows.
const FilterRows kSse2FilterRows{vector_kernels::tint_row<Sse2>,
                                 vector_kernels::colorize_row<Sse2>,
                                 vector_kernels::grey_row<Sse2>,
                                 vector_kernels::grayscale_row<Sse2>,
                                 vector_kernels::negative_row<Sse2>,
                                 lookup_colour_row,
                                 lookup_all_row};

}  // namespace lumoria
#endif
