// The AVX2 operations behind the vector transfer kernels: eight pixels per
// vector. The same operations as Sse2 (see there); AVX2 unpacks and packs
// within each 128-bit half, so the "low" lanes hold pixels 0, 1, 4, 5 and the
// "high" lanes pixels 2, 3, 6, 7, and pack puts them back in order.
//
// Included only by *_avx2.cc files, which alone are built with AVX2.
#pragma once

#if defined(__AVX2__)

#include <immintrin.h>

#include <cstdint>

namespace lumoria {
namespace {

struct Avx2 {
    static constexpr int kPixels = 8;
    using Pixels = uint32_t __attribute__((vector_size(32)));  // one pixel a lane
    using Lanes = uint16_t __attribute__((vector_size(32)));   // one channel a lane
    using Wide = int32_t __attribute__((vector_size(32)));     // one channel a lane
    using Floats = float __attribute__((vector_size(32)));

    static Pixels load(const uint8_t* p) {
        return (Pixels)_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    }
    static void store(uint8_t* p, Pixels v) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), (__m256i)v);
    }
    // The bytes of the first and second half of the pixels as 16-bit lanes,
    // and back; pack saturates each lane to 0..255.
    static Lanes low_lanes(Pixels v) {
        return (Lanes)_mm256_unpacklo_epi8((__m256i)v, _mm256_setzero_si256());
    }
    static Lanes high_lanes(Pixels v) {
        return (Lanes)_mm256_unpackhi_epi8((__m256i)v, _mm256_setzero_si256());
    }
    static Pixels pack(Lanes low, Lanes high) {
        return (Pixels)_mm256_packus_epi16((__m256i)low, (__m256i)high);
    }
    // Each pixel's channel `ch` copied to all four of its lanes.
    template <int ch>
    static Lanes spread(Lanes v) {
        constexpr int k = ch * 0x55;
        return (Lanes)_mm256_shufflehi_epi16(_mm256_shufflelo_epi16((__m256i)v, k), k);
    }
    // a + b, 65535 where it is larger.
    static Lanes saturating_add(Lanes a, Lanes b) {
        return (Lanes)_mm256_adds_epu16((__m256i)a, (__m256i)b);
    }
    // a - b, 0 where b is larger.
    static Lanes saturating_sub(Lanes a, Lanes b) {
        return (Lanes)_mm256_subs_epu16((__m256i)a, (__m256i)b);
    }
    // The high 16 bits of each 32-bit product.
    static Lanes mulhi(Lanes a, Lanes b) {
        return (Lanes)_mm256_mulhi_epu16((__m256i)a, (__m256i)b);
    }
    // The first and second half of the lanes widened to 32 bits, and back
    // (values above 65535 give 65535; none may be negative).
    static Wide low_wide(Lanes v) {
        return (Wide)_mm256_unpacklo_epi16((__m256i)v, _mm256_setzero_si256());
    }
    static Wide high_wide(Lanes v) {
        return (Wide)_mm256_unpackhi_epi16((__m256i)v, _mm256_setzero_si256());
    }
    static Lanes narrow(Wide low, Wide high) {
        return (Lanes)_mm256_packus_epi32((__m256i)low, (__m256i)high);
    }
    static Floats to_floats(Wide v) { return _mm256_cvtepi32_ps((__m256i)v); }
    // Truncation toward zero; defined for every input.
    static Wide truncate(Floats v) { return (Wide)_mm256_cvttps_epi32(v); }
    // One bit a byte of a comparison result.
    template <class Mask>
    static bool all(Mask m) {
        return _mm256_movemask_epi8((__m256i)m) == -1;
    }
    template <class Mask>
    static bool any(Mask m) {
        return _mm256_movemask_epi8((__m256i)m) != 0;
    }
};

}  // namespace
}  // namespace lumoria

#endif
