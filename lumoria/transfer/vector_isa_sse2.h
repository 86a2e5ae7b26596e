// The SSE2 operations behind the vector transfer kernels: four pixels per
// vector. Arithmetic is written with GCC's vector types; this struct adds
// what they cannot say (widening, packing, multiply-high, lane shuffles).
//
// Included only by *_sse2.cc files (and tests). Everything is internal to
// the including file, so that no function compiled for one instruction set
// can be shared with code compiled for another.
#pragma once

#if defined(__SSE2__)

#include <emmintrin.h>

#include <cstdint>

namespace lumoria {
namespace {

struct Sse2 {
    static constexpr int kPixels = 4;
    using Pixels = uint32_t __attribute__((vector_size(16)));  // one pixel a lane
    using Lanes = uint16_t __attribute__((vector_size(16)));   // one channel a lane
    using Wide = int32_t __attribute__((vector_size(16)));     // one channel a lane
    using Floats = float __attribute__((vector_size(16)));

    static Pixels load(const uint8_t* p) {
        return (Pixels)_mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    }
    static void store(uint8_t* p, Pixels v) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), (__m128i)v);
    }
    // The bytes of the first and second half of the pixels as 16-bit lanes,
    // and back; pack saturates each lane to 0..255.
    static Lanes low_lanes(Pixels v) {
        return (Lanes)_mm_unpacklo_epi8((__m128i)v, _mm_setzero_si128());
    }
    static Lanes high_lanes(Pixels v) {
        return (Lanes)_mm_unpackhi_epi8((__m128i)v, _mm_setzero_si128());
    }
    static Pixels pack(Lanes low, Lanes high) {
        return (Pixels)_mm_packus_epi16((__m128i)low, (__m128i)high);
    }
    // Each pixel's channel `ch` copied to all four of its lanes.
    template <int ch>
    static Lanes spread(Lanes v) {
        constexpr int k = ch * 0x55;
        return (Lanes)_mm_shufflehi_epi16(_mm_shufflelo_epi16((__m128i)v, k), k);
    }
    // a + b, 65535 where it is larger.
    static Lanes saturating_add(Lanes a, Lanes b) {
        return (Lanes)_mm_adds_epu16((__m128i)a, (__m128i)b);
    }
    // a - b, 0 where b is larger.
    static Lanes saturating_sub(Lanes a, Lanes b) {
        return (Lanes)_mm_subs_epu16((__m128i)a, (__m128i)b);
    }
    // The high 16 bits of each 32-bit product.
    static Lanes mulhi(Lanes a, Lanes b) { return (Lanes)_mm_mulhi_epu16((__m128i)a, (__m128i)b); }
    // The first and second half of the lanes widened to 32 bits, and back
    // (values above 65535 give 65535; none may be negative).
    static Wide low_wide(Lanes v) {
        return (Wide)_mm_unpacklo_epi16((__m128i)v, _mm_setzero_si128());
    }
    static Wide high_wide(Lanes v) {
        return (Wide)_mm_unpackhi_epi16((__m128i)v, _mm_setzero_si128());
    }
    static Lanes narrow(Wide low, Wide high) {
        // SSE2 packs with signed saturation only: shift the range down and back.
        const Lanes packed =
            (Lanes)_mm_packs_epi32((__m128i)(low - 32768), (__m128i)(high - 32768));
        return packed ^ 0x8000;
    }
    static Floats to_floats(Wide v) { return _mm_cvtepi32_ps((__m128i)v); }
    // Truncation toward zero; defined for every input.
    static Wide truncate(Floats v) { return (Wide)_mm_cvttps_epi32(v); }
    // One bit a byte of a comparison result.
    template <class Mask>
    static bool all(Mask m) {
        return _mm_movemask_epi8((__m128i)m) == 0xFFFF;
    }
    template <class Mask>
    static bool any(Mask m) {
        return _mm_movemask_epi8((__m128i)m) != 0;
    }
};

}  // namespace
}  // namespace lumoria

#endif
