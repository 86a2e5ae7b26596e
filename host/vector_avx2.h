// The AVX2 vectors of the rows of both libraries: 32 bytes, eight pixels.
// The same operations as Sse2 (see there), and those AVX2 adds. AVX2 widens
// and packs within each 128-bit half, so the "low" lanes of a widening hold
// pixels 0, 1, 4, 5 and the "high" lanes pixels 2, 3, 6, 7, and packing puts
// them back in order.
//
// Included only by *_avx2.cc files, which alone are built with AVX2.
#pragma once

#if defined(__AVX2__)

#include <immintrin.h>

#include <cstdint>

namespace host {
namespace {

struct Avx2 {
    static constexpr int kPixels = 8;
    static constexpr int kBytes = 32;
    // The same bytes as lanes of each width.
    using U16 = uint16_t __attribute__((vector_size(32)));
    using U32 = uint32_t __attribute__((vector_size(32)));  // one pixel a lane
    using I32 = int32_t __attribute__((vector_size(32)));
    using F32 = float __attribute__((vector_size(32)));
    using U64 = uint64_t __attribute__((vector_size(32)));

    static U32 load(const uint8_t* p) {
        return (U32)_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    }
    template <class V>
    static void store(uint8_t* p, V v) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), (__m256i)v);
    }
    // The 32-bit lanes of `mask` stored; the others are not written.
    static void masked_store_32(uint8_t* p, I32 mask, U32 v) {
        _mm256_maskstore_epi32(reinterpret_cast<int*>(p), (__m256i)mask, (__m256i)v);
    }
    // The first `count` pixels from p (0 < count <= kPixels), the other
    // lanes 0; nothing past them is read.
    static U32 load_first_pixels(const uint8_t* p, int count) {
        const I32 mask = lane_numbers() < count;
        return (U32)_mm256_maskload_epi32(reinterpret_cast<const int*>(p), (__m256i)mask);
    }
    // The first `count` lanes stored (0 < count <= kPixels); nothing past
    // them is written.
    static void store_first_pixels(uint8_t* p, U32 v, int count) {
        masked_store_32(p, lane_numbers() < count, v);
    }
    // The 32-bit values at `base` + offset x kScale bytes in the lanes of
    // `mask`, those of `otherwise` elsewhere; the other lanes are not read.
    template <int kScale>
    static U32 gather_32(const void* base, I32 offsets, I32 mask, U32 otherwise = U32{}) {
        return (U32)_mm256_mask_i32gather_epi32((__m256i)otherwise, static_cast<const int*>(base),
                                                (__m256i)offsets, (__m256i)mask, kScale);
    }

    // The eight bytes from each of p0 .. p3, in that order: plain loads,
    // which beat a gather of so few.
    static U32 load_64_each(const uint8_t* p0, const uint8_t* p1, const uint8_t* p2,
                            const uint8_t* p3) {
        return (U32)_mm256_setr_m128i(_mm_unpacklo_epi64(load_64(p0), load_64(p1)),
                                      _mm_unpacklo_epi64(load_64(p2), load_64(p3)));
    }
    // The even and the odd 32-bit lanes of a and b, within each 128-bit half
    // two of a's, then two of b's.
    struct Parted {
        U32 even, odd;
    };
    static Parted part_even_odd(U32 a, U32 b) {
        const __m256 fa = _mm256_castsi256_ps((__m256i)a), fb = _mm256_castsi256_ps((__m256i)b);
        return {(U32)_mm256_shuffle_ps(fa, fb, _MM_SHUFFLE(2, 0, 2, 0)),
                (U32)_mm256_shuffle_ps(fa, fb, _MM_SHUFFLE(3, 1, 3, 1))};
    }

    // Lane i takes lane index[i] of `v` (index 0 to kPixels - 1).
    static U32 permute_32(I32 index, U32 v) {
        return (U32)_mm256_permutevar8x32_epi32((__m256i)v, (__m256i)index);
    }

    static U16 splat_u16(uint16_t v) { return U16{} + v; }
    static U32 splat_u32(uint32_t v) { return U32{} + v; }
    static I32 splat_i32(int32_t v) { return I32{} + v; }
    static F32 splat_f32(float v) { return _mm256_set1_ps(v); }  // -0 kept
    static I32 lane_numbers() { return I32{0, 1, 2, 3, 4, 5, 6, 7}; }

    // The bytes of the first and of the second half of each 128-bit half as
    // 16-bit lanes; and back, each lane (read as signed) saturated to 0..255.
    static U16 widen_8_to_16_low(U32 v) {
        return (U16)_mm256_unpacklo_epi8((__m256i)v, _mm256_setzero_si256());
    }
    static U16 widen_8_to_16_high(U32 v) {
        return (U16)_mm256_unpackhi_epi8((__m256i)v, _mm256_setzero_si256());
    }
    static U32 pack_16_to_8(U16 low, U16 high) {
        return (U32)_mm256_packus_epi16((__m256i)low, (__m256i)high);
    }
    // The same from 16-bit to 32-bit lanes; and back, values above 65535
    // giving 65535 (none may be negative).
    static I32 widen_16_to_32_low(U16 v) {
        return (I32)_mm256_unpacklo_epi16((__m256i)v, _mm256_setzero_si256());
    }
    static I32 widen_16_to_32_high(U16 v) {
        return (I32)_mm256_unpackhi_epi16((__m256i)v, _mm256_setzero_si256());
    }
    // The 128-bit halves added lane by lane.
    static __m128i sum_of_quarters(I32 v) {
        return _mm_add_epi32(_mm256_castsi256_si128((__m256i)v),
                             _mm256_extracti128_si256((__m256i)v, 1));
    }
    static U16 pack_32_to_16(I32 low, I32 high) {
        return (U16)_mm256_packus_epi32((__m256i)low, (__m256i)high);
    }
    // Byte k of each 32-bit lane, as that lane's value: one byte shuffle
    // moves it to the bottom of its lane and clears the rest.
    static I32 widen_8_to_32(U32 pixels, int k) {
        const I32 low_byte_first = I32{0, 4, 8, 12, 0, 4, 8, 12} + static_cast<int32_t>(0x80808000);
        return (I32)_mm256_shuffle_epi8((__m256i)pixels, (__m256i)(low_byte_first + k));
    }
    // Four 32-bit lanes of 0..255 put together as the bytes of pixels:
    // packed to bytes channel by channel within each 128-bit half, then
    // interleaved.
    static U32 pack_32_to_8_by_channel(I32 blue, I32 green, I32 red, I32 alpha) {
        const __m256i by_channel =
            _mm256_packus_epi16(_mm256_packs_epi32((__m256i)blue, (__m256i)green),
                                _mm256_packs_epi32((__m256i)red, (__m256i)alpha));
        return (U32)_mm256_shuffle_epi8(
            by_channel, _mm256_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15,  //
                                         0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15));
    }

    // Each pixel's 16-bit lane `ch` copied to all four of its lanes.
    template <int ch>
    static U16 spread_channel_16(U16 v) {
        // One byte shuffle: the two bytes of lane ch, four times, for the
        // pixel in each half of both 128-bit halves.
        constexpr uint64_t kFirst = 0x0001000100010001ull * (0x0100 + 0x0202 * ch);
        const __m256i pick = _mm256_broadcastsi128_si256(
            _mm_set_epi64x(static_cast<long long>(kFirst + 0x0808080808080808ull),
                           static_cast<long long>(kFirst)));
        return (U16)_mm256_shuffle_epi8((__m256i)v, pick);
    }

    // Bytes: the 16 bytes from p in both 128-bit halves; v with byte i
    // taking byte index[i] % 16 of its own 128-bit half, or 0 where the top
    // bit of index[i] is set; a + b, 255 where it is larger.
    static U32 broadcast_16_bytes(const uint8_t* p) {
        return (U32)_mm256_broadcastsi128_si256(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
    }
    static U32 shuffle_8(U32 v, U32 index) {
        return (U32)_mm256_shuffle_epi8((__m256i)v, (__m256i)index);
    }
    static U32 saturating_add_u8(U32 a, U32 b) {
        return (U32)_mm256_adds_epu8((__m256i)a, (__m256i)b);
    }
    // The bytes of a and b interleaved, a's first, from the first (low) or
    // the second (high) half of each 128-bit half.
    static U32 interleave_8_low(U32 a, U32 b) {
        return (U32)_mm256_unpacklo_epi8((__m256i)a, (__m256i)b);
    }
    static U32 interleave_8_high(U32 a, U32 b) {
        return (U32)_mm256_unpackhi_epi8((__m256i)a, (__m256i)b);
    }
    // Each pair of neighbouring byte products, a's bytes unsigned and b's
    // signed, added into a 16-bit lane with signed saturation; and each pair
    // of neighbouring signed 16-bit products added into a 32-bit lane.
    static U16 multiply_add_8_to_16(U32 a, U32 b) {
        return (U16)_mm256_maddubs_epi16((__m256i)a, (__m256i)b);
    }
    static I32 multiply_add_16_to_32(U16 a, U16 b) {
        return (I32)_mm256_madd_epi16((__m256i)a, (__m256i)b);
    }

    // a + b, 65535 where it is larger; a - b, 0 where b is larger.
    static U16 saturating_add_u16(U16 a, U16 b) {
        return (U16)_mm256_adds_epu16((__m256i)a, (__m256i)b);
    }
    static U16 saturating_sub_u16(U16 a, U16 b) {
        return (U16)_mm256_subs_epu16((__m256i)a, (__m256i)b);
    }
    // The high 16 bits of each 32-bit product.
    static U16 mulhi_u16(U16 a, U16 b) { return (U16)_mm256_mulhi_epu16((__m256i)a, (__m256i)b); }
    static I32 min_i32(I32 a, I32 b) { return (I32)_mm256_min_epi32((__m256i)a, (__m256i)b); }
    static U32 min_u32(U32 a, U32 b) { return (U32)_mm256_min_epu32((__m256i)a, (__m256i)b); }
    static I32 max_i32(I32 a, I32 b) { return (I32)_mm256_max_epi32((__m256i)a, (__m256i)b); }
    static I32 abs_i32(I32 v) { return (I32)_mm256_abs_epi32((__m256i)v); }

    static F32 to_floats(I32 v) { return _mm256_cvtepi32_ps((__m256i)v); }
    // Truncation toward zero; defined for every input.
    static I32 truncate(F32 v) { return (I32)_mm256_cvttps_epi32(v); }
    static F32 sqrt_f32(F32 v) { return _mm256_sqrt_ps(v); }
    // Each lane of v shifted right by its own count; counts of 32 or more
    // give 0.
    static U32 shift_right_u32(U32 v, U32 counts) {
        return (U32)_mm256_srlv_epi32((__m256i)v, (__m256i)counts);
    }

    template <class Mask>
    static bool all(Mask m) {
        return _mm256_movemask_epi8((__m256i)m) == -1;
    }
    // Whether `test` has every bit that `mask` has.
    static bool covers(I32 test, I32 mask) {
        return _mm256_testc_si256((__m256i)test, (__m256i)mask);
    }
    template <class Mask>
    static bool any(Mask m) {
        return _mm256_movemask_epi8((__m256i)m) != 0;
    }
    // a where the bytes of `mask` are all ones, b where they are 0.
    template <class V>
    static V select(I32 mask, V a, V b) {
        return (V)_mm256_blendv_epi8((__m256i)b, (__m256i)a, (__m256i)mask);
    }

  private:
    static __m128i load_64(const uint8_t* p) {
        return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    }
};

}  // namespace
}  // namespace host

#endif
