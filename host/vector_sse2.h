// The SSE2 vectors of the rows of both libraries: 16 bytes, four pixels.
// Arithmetic, bit operations, shifts and comparisons are written with GCC's
// vector types; this struct adds what they cannot say: loads and stores,
// widening and narrowing between lane widths, saturation, multiply-high,
// lane shuffles and the tests of comparison masks. A comparison gives all
// ones in a lane where it holds, else 0; masks are such lanes.
//
// Included only by *_sse2.cc files, the files that SSE2 alone serves as the
// x86 baseline (rect.cc's stores) and tests. Everything is internal to
// the including file, so that no function compiled for one instruction set
// can be shared with code compiled for another.
#pragma once

#if defined(__SSE2__)

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

namespace host {
namespace {

struct Sse2 {
    static constexpr int kPixels = 4;
    static constexpr int kBytes = 16;
    // The same bytes as lanes of each width.
    using U16 = uint16_t __attribute__((vector_size(16)));
    using U32 = uint32_t __attribute__((vector_size(16)));  // one pixel a lane
    using I32 = int32_t __attribute__((vector_size(16)));
    using F32 = float __attribute__((vector_size(16)));
    using U64 = uint64_t __attribute__((vector_size(16)));

    static U32 load(const uint8_t* p) {
        return (U32)_mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    }
    template <class V>
    static void store(uint8_t* p, V v) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), (__m128i)v);
    }
    // One pixel in lane 0, the other lanes 0; and lane 0 stored.
    static U32 load_pixel(const uint8_t* p) {
        int32_t pixel;
        std::memcpy(&pixel, p, sizeof pixel);
        return (U32)_mm_cvtsi32_si128(pixel);
    }
    static void store_pixel(uint8_t* p, U32 v) {
        const int32_t pixel = _mm_cvtsi128_si32((__m128i)v);
        std::memcpy(p, &pixel, sizeof pixel);
    }
    // The first `count` pixels from p (0 < count <= kPixels), the other
    // lanes 0; nothing past them is read. And the first `count` lanes
    // stored, nothing past them written.
    static U32 load_first_pixels(const uint8_t* p, int count) {
        alignas(16) uint8_t padded[kBytes] = {};
        std::memcpy(padded, p, static_cast<size_t>(count) * 4);
        return load(padded);
    }
    static void store_first_pixels(uint8_t* p, U32 v, int count) {
        alignas(16) uint8_t lanes[kBytes];
        store(lanes, v);
        std::memcpy(p, lanes, static_cast<size_t>(count) * 4);
    }

    // A store of a whole aligned vector past the caches (its line is not
    // read first); stream_fence() orders such stores before later ones.
    template <class V>
    static void stream(uint8_t* p, V v) {
        _mm_stream_si128(reinterpret_cast<__m128i*>(p), (__m128i)v);
    }
    static void stream_fence() { _mm_sfence(); }

    // The 32-bit (or 64-bit) lanes of a and b interleaved, a's first, from
    // the first (low) or the second (high) half of each.
    static U32 interleave_32_low(U32 a, U32 b) {
        return (U32)_mm_unpacklo_epi32((__m128i)a, (__m128i)b);
    }
    static U32 interleave_32_high(U32 a, U32 b) {
        return (U32)_mm_unpackhi_epi32((__m128i)a, (__m128i)b);
    }
    static U32 interleave_64_low(U32 a, U32 b) {
        return (U32)_mm_unpacklo_epi64((__m128i)a, (__m128i)b);
    }
    static U32 interleave_64_high(U32 a, U32 b) {
        return (U32)_mm_unpackhi_epi64((__m128i)a, (__m128i)b);
    }
    // Lane i takes lane kLane[i] of v.
    template <int kLane0, int kLane1, int kLane2, int kLane3>
    static U32 shuffle_32(U32 v) {
        return (U32)_mm_shuffle_epi32((__m128i)v, _MM_SHUFFLE(kLane3, kLane2, kLane1, kLane0));
    }

    static U16 splat_u16(uint16_t v) { return U16{} + v; }
    static U32 splat_u32(uint32_t v) { return U32{} + v; }
    static I32 splat_i32(int32_t v) { return I32{} + v; }
    static F32 splat_f32(float v) { return _mm_set1_ps(v); }  // -0 kept
    static I32 lane_numbers() { return I32{0, 1, 2, 3}; }

    // The bytes of the first and of the second half of the vector as 16-bit
    // lanes; and back, each lane (read as signed) saturated to 0..255.
    static U16 widen_8_to_16_low(U32 v) {
        return (U16)_mm_unpacklo_epi8((__m128i)v, _mm_setzero_si128());
    }
    static U16 widen_8_to_16_high(U32 v) {
        return (U16)_mm_unpackhi_epi8((__m128i)v, _mm_setzero_si128());
    }
    static U32 pack_16_to_8(U16 low, U16 high) {
        return (U32)_mm_packus_epi16((__m128i)low, (__m128i)high);
    }
    // The 16-bit lanes of the first and of the second half as 32-bit lanes;
    // and back, values above 65535 giving 65535 (none may be negative).
    static I32 widen_16_to_32_low(U16 v) {
        return (I32)_mm_unpacklo_epi16((__m128i)v, _mm_setzero_si128());
    }
    static I32 widen_16_to_32_high(U16 v) {
        return (I32)_mm_unpackhi_epi16((__m128i)v, _mm_setzero_si128());
    }
    // The 128-bit quarters of a vector added lane by lane (here the vector).
    static __m128i sum_of_quarters(I32 v) { return (__m128i)v; }
    static U16 pack_32_to_16(I32 low, I32 high) {
        // SSE2 packs with signed saturation only: shift the range down and back.
        const U16 packed = (U16)_mm_packs_epi32((__m128i)(low - 32768), (__m128i)(high - 32768));
        return packed ^ 0x8000;
    }
    // 32-bit lanes of 0..255 as the first kPixels bytes, the rest 0.
    static U32 pack_32_to_8(I32 v) {
        const __m128i words = _mm_packs_epi32((__m128i)v, _mm_setzero_si128());
        return (U32)_mm_packus_epi16(words, _mm_setzero_si128());
    }
    // Byte k of each 32-bit lane, as that lane's value; and four such lanes
    // (values 0..255) put together as the bytes of pixels.
    static I32 widen_8_to_32(U32 pixels, int k) { return (I32)((pixels >> (8 * k)) & 0xFF); }
    static U32 pack_32_to_8_by_channel(I32 blue, I32 green, I32 red, I32 alpha) {
        return (U32)(blue | green << 8 | red << 16 | alpha << 24);
    }

    // Each pixel's 16-bit lane `ch` copied to all four of its lanes.
    template <int ch>
    static U16 spread_channel_16(U16 v) {
        constexpr int k = ch * 0x55;
        return (U16)_mm_shufflehi_epi16(_mm_shufflelo_epi16((__m128i)v, k), k);
    }

    // a + b, 65535 where it is larger; a - b, 0 where b is larger.
    static U16 saturating_add_u16(U16 a, U16 b) {
        return (U16)_mm_adds_epu16((__m128i)a, (__m128i)b);
    }
    static U16 saturating_sub_u16(U16 a, U16 b) {
        return (U16)_mm_subs_epu16((__m128i)a, (__m128i)b);
    }
    // The high 16 bits of each 32-bit product.
    static U16 mulhi_u16(U16 a, U16 b) { return (U16)_mm_mulhi_epu16((__m128i)a, (__m128i)b); }

    static F32 to_floats(I32 v) { return _mm_cvtepi32_ps((__m128i)v); }
    // Truncation toward zero; defined for every input.
    static I32 truncate(F32 v) { return (I32)_mm_cvttps_epi32(v); }

    template <class Mask>
    static bool all(Mask m) {
        return _mm_movemask_epi8((__m128i)m) == 0xFFFF;
    }
    template <class Mask>
    static bool any(Mask m) {
        return _mm_movemask_epi8((__m128i)m) != 0;
    }
    // a where the bytes of `mask` are all ones, b where they are 0.
    template <class V>
    static V select(I32 mask, V a, V b) {
        return (V)_mm_or_si128(_mm_and_si128((__m128i)mask, (__m128i)a),
                               _mm_andnot_si128((__m128i)mask, (__m128i)b));
    }
};

}  // namespace
}  // namespace host

#endif
