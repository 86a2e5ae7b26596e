// The AVX-512 vectors of the rows of both libraries: 64 bytes, 16 pixels,
// with the operations of Sse2 and Avx2 (see there). As with AVX2, widening
// and packing work within each 128-bit quarter, so the "low" lanes of a
// widening hold pixels 0, 1, 4, 5, 8, 9, 12, 13 and packing puts them back
// in order. Comparison masks are vectors, as for the other sets; the tests
// and choices turn them into mask registers.
//
// Included only by *_avx512.cc files, which alone are built with the
// AVX-512 level's flags (F, BW, VL, VBMI).
#pragma once

#if defined(__AVX512F__) && defined(__AVX512BW__)

#include <immintrin.h>

#include <cstdint>

// GCC 12's AVX-512 shifts and shuffles start from a deliberately undefined
// vector, which its own warnings then report as used uninitialised.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

namespace host {
namespace {

struct Avx512 {
    static constexpr int kPixels = 16;
    static constexpr int kBytes = 64;
    // The same bytes as lanes of each width.
    using U16 = uint16_t __attribute__((vector_size(64)));
    using U32 = uint32_t __attribute__((vector_size(64)));  // one pixel a lane
    using I32 = int32_t __attribute__((vector_size(64)));
    using F32 = float __attribute__((vector_size(64)));
    using U64 = uint64_t __attribute__((vector_size(64)));

    static U32 load(const uint8_t* p) { return (U32)_mm512_loadu_si512(p); }
    template <class V>
    static void store(uint8_t* p, V v) {
        _mm512_storeu_si512(p, (__m512i)v);
    }
    // The 32-bit lanes of `mask` stored; the others are not written.
    static void masked_store_32(uint8_t* p, I32 mask, U32 v) {
        _mm512_mask_storeu_epi32(p, _mm512_test_epi32_mask((__m512i)mask, (__m512i)mask),
                                 (__m512i)v);
    }
    // The first `count` pixels from p (0 < count <= kPixels), the other
    // lanes 0; nothing past them is read.
    // Up to eight pixels are loaded as a half vector, which never reaches
    // into a further cache line than needed (a wider masked load that does
    // is several times slower).
    static U32 load_first_pixels(const uint8_t* p, int count) {
        const auto mask = static_cast<__mmask16>((1u << count) - 1);
        if (count <= 8)
            return (U32)_mm512_zextsi256_si512(
                _mm256_maskz_loadu_epi32(static_cast<__mmask8>(mask), p));
        return (U32)_mm512_maskz_loadu_epi32(mask, p);
    }
    // The first `count` lanes stored (0 < count <= kPixels); nothing past
    // them is written.
    static void store_first_pixels(uint8_t* p, U32 v, int count) {
        const auto mask = static_cast<__mmask16>((1u << count) - 1);
        if (count <= 8) {  // as a half vector, as load_first_pixels does
            _mm256_mask_storeu_epi32(p, static_cast<__mmask8>(mask),
                                     _mm512_castsi512_si256((__m512i)v));
            return;
        }
        _mm512_mask_storeu_epi32(p, mask, (__m512i)v);
    }

    // The 32-bit values at `base` + offset x kScale bytes in the lanes of
    // `mask`, those of `otherwise` elsewhere; the other lanes are not read.
    template <int kScale>
    static U32 gather_32(const void* base, I32 offsets, I32 mask, U32 otherwise = U32{}) {
        return (U32)_mm512_mask_i32gather_epi32(
            (__m512i)otherwise, _mm512_test_epi32_mask((__m512i)mask, (__m512i)mask),
            (__m512i)offsets, base, kScale);
    }

    // The 64-bit values at `base` + offset x kScale bytes for the low (or
    // the high) eight lanes of `offsets` that `mask` holds, 0 elsewhere.
    template <int kScale>
    static U32 gather_64_low(const void* base, I32 offsets, I32 mask) {
        return (U32)_mm512_mask_i32gather_epi64(
            _mm512_setzero_si512(), static_cast<__mmask8>(lanes_of(mask)),
            _mm512_castsi512_si256((__m512i)offsets), base, kScale);
    }
    template <int kScale>
    static U32 gather_64_high(const void* base, I32 offsets, I32 mask) {
        return (U32)_mm512_mask_i32gather_epi64(
            _mm512_setzero_si512(), static_cast<__mmask8>(lanes_of(mask) >> 8),
            _mm512_extracti64x4_epi64((__m512i)offsets, 1), base, kScale);
    }

    // Lane i takes lane index[i] of `v` (index 0 to kPixels - 1).
    static U32 permute_32(I32 index, U32 v) {
        return (U32)_mm512_permutexvar_epi32((__m512i)index, (__m512i)v);
    }
    // The 16 bytes from each of p0 .. p3, in that order.
    static U32 load_16_bytes_each(const uint8_t* p0, const uint8_t* p1, const uint8_t* p2,
                                  const uint8_t* p3) {
        __m512i v = _mm512_castsi128_si512(load_16(p0));
        v = _mm512_inserti32x4(v, load_16(p1), 1);
        v = _mm512_inserti32x4(v, load_16(p2), 2);
        return (U32)_mm512_inserti32x4(v, load_16(p3), 3);
    }
    // A store of a whole aligned vector past the caches (its line is not
    // read first); stream_fence() orders such stores before later ones.
    template <class V>
    static void stream(uint8_t* p, V v) {
        _mm512_stream_si512(reinterpret_cast<__m512i*>(p), (__m512i)v);
    }
    static void stream_fence() { _mm_sfence(); }
    // Byte i takes byte index[i] % 64 of v where bit i of `keep` is set,
    // else 0 (VBMI).
    static U32 permute_8(U32 index, U32 v, uint64_t keep = ~uint64_t{0}) {
        return (U32)_mm512_maskz_permutexvar_epi8(keep, (__m512i)index, (__m512i)v);
    }
    // The bytes of `mask` (bit i for byte i) loaded from p, the others 0 and
    // not read; and stored to p, the others not written.
    static U32 load_bytes(const uint8_t* p, uint64_t mask) {
        return (U32)_mm512_maskz_loadu_epi8(mask, p);
    }
    static void store_bytes(uint8_t* p, uint64_t mask, U32 v) {
        _mm512_mask_storeu_epi8(p, mask, (__m512i)v);
    }
    // Byte i takes byte index[i] % 128 of the 128 bytes of a, then b (VBMI).
    static U32 permute_8_of_two(U32 a, U32 index, U32 b) {
        return (U32)_mm512_permutex2var_epi8((__m512i)a, (__m512i)index, (__m512i)b);
    }
    // Byte i of a where bit i of `pick` is set, else of b.
    static U32 select_bytes(uint64_t pick, U32 a, U32 b) {
        return (U32)_mm512_mask_blend_epi8(pick, (__m512i)b, (__m512i)a);
    }
    // Byte i takes byte index[i] % 16 of its own 128-bit quarter of v, or 0
    // where the top bit of index[i] is set.
    static U32 shuffle_8(U32 v, U32 index) {
        return (U32)_mm512_shuffle_epi8((__m512i)v, (__m512i)index);
    }
    // Bytes: a - b, 0 where b is larger; the smaller of a and b.
    static U32 saturating_sub_u8(U32 a, U32 b) {
        return (U32)_mm512_subs_epu8((__m512i)a, (__m512i)b);
    }
    static U32 min_u8(U32 a, U32 b) { return (U32)_mm512_min_epu8((__m512i)a, (__m512i)b); }
    // Byte i of a where byte i of `top` has its top bit set, else of b.
    static U32 select_by_top_bit_8(U32 top, U32 a, U32 b) {
        return (U32)_mm512_mask_blend_epi8(_mm512_movepi8_mask((__m512i)top), (__m512i)b,
                                           (__m512i)a);
    }

    // Each 64-bit lane, the sum of its eight bytes.
    static U64 sum_bytes_64(U32 v) {
        return (U64)_mm512_sad_epu8((__m512i)v, _mm512_setzero_si512());
    }

    // Lane i takes lane index[i] of the 32 lanes of a, then b.
    static U32 permute_32_of_two(U32 a, I32 index, U32 b) {
        return (U32)_mm512_permutex2var_epi32((__m512i)a, (__m512i)index, (__m512i)b);
    }

    static U16 splat_u16(uint16_t v) { return U16{} + v; }
    static U32 splat_u32(uint32_t v) { return U32{} + v; }
    static I32 splat_i32(int32_t v) { return I32{} + v; }
    static F32 splat_f32(float v) { return _mm512_set1_ps(v); }  // -0 kept
    static I32 lane_numbers() { return I32{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}; }

    static U16 widen_8_to_16_low(U32 v) {
        return (U16)_mm512_unpacklo_epi8((__m512i)v, _mm512_setzero_si512());
    }
    static U16 widen_8_to_16_high(U32 v) {
        return (U16)_mm512_unpackhi_epi8((__m512i)v, _mm512_setzero_si512());
    }
    static U32 pack_16_to_8(U16 low, U16 high) {
        return (U32)_mm512_packus_epi16((__m512i)low, (__m512i)high);
    }
    static I32 widen_16_to_32_low(U16 v) {
        return (I32)_mm512_unpacklo_epi16((__m512i)v, _mm512_setzero_si512());
    }
    static I32 widen_16_to_32_high(U16 v) {
        return (I32)_mm512_unpackhi_epi16((__m512i)v, _mm512_setzero_si512());
    }
    // The four 128-bit quarters added lane by lane.
    static __m128i sum_of_quarters(I32 v) {
        const __m256i half = _mm256_add_epi32(_mm512_castsi512_si256((__m512i)v),
                                              _mm512_extracti64x4_epi64((__m512i)v, 1));
        return _mm_add_epi32(_mm256_castsi256_si128(half), _mm256_extracti128_si256(half, 1));
    }
    static U16 pack_32_to_16(I32 low, I32 high) {
        return (U16)_mm512_packus_epi32((__m512i)low, (__m512i)high);
    }

    // Byte k of each 32-bit lane, as that lane's value.
    static I32 widen_8_to_32(U32 pixels, int k) { return (I32)((pixels >> (8 * k)) & 0xFF); }
    // Four 32-bit lanes of 0..255 put together as the bytes of pixels.
    static U32 pack_32_to_8_by_channel(I32 blue, I32 green, I32 red, I32 alpha) {
        return (U32)(blue | green << 8 | red << 16 | alpha << 24);
    }

    template <int ch>
    static U16 spread_channel_16(U16 v) {
        // One byte shuffle: the two bytes of lane ch, four times, for the
        // pixel in each half of every 128-bit quarter.
        constexpr uint64_t kFirst = 0x0001000100010001ull * (0x0100 + 0x0202 * ch);
        const __m512i pick = _mm512_broadcast_i32x4(
            _mm_set_epi64x(static_cast<long long>(kFirst + 0x0808080808080808ull),
                           static_cast<long long>(kFirst)));
        return (U16)_mm512_shuffle_epi8((__m512i)v, pick);
    }

    static U16 saturating_add_u16(U16 a, U16 b) {
        return (U16)_mm512_adds_epu16((__m512i)a, (__m512i)b);
    }
    static U16 saturating_sub_u16(U16 a, U16 b) {
        return (U16)_mm512_subs_epu16((__m512i)a, (__m512i)b);
    }
    static U16 mulhi_u16(U16 a, U16 b) { return (U16)_mm512_mulhi_epu16((__m512i)a, (__m512i)b); }
    static I32 min_i32(I32 a, I32 b) { return (I32)_mm512_min_epi32((__m512i)a, (__m512i)b); }
    static U32 min_u32(U32 a, U32 b) { return (U32)_mm512_min_epu32((__m512i)a, (__m512i)b); }
    static I32 max_i32(I32 a, I32 b) { return (I32)_mm512_max_epi32((__m512i)a, (__m512i)b); }
    static I32 abs_i32(I32 v) { return (I32)_mm512_abs_epi32((__m512i)v); }

    static F32 to_floats(I32 v) { return _mm512_cvtepi32_ps((__m512i)v); }
    // Truncation toward zero; defined for every input.
    static I32 truncate(F32 v) { return (I32)_mm512_cvttps_epi32(v); }
    static F32 sqrt_f32(F32 v) { return _mm512_sqrt_ps(v); }
    // Each lane of v shifted right by its own count; counts of 32 or more
    // give 0.
    static U32 shift_right_u32(U32 v, U32 counts) {
        return (U32)_mm512_srlv_epi32((__m512i)v, (__m512i)counts);
    }

    template <class Mask>
    static bool all(Mask m) {
        return _mm512_movepi8_mask((__m512i)m) == ~__mmask64{0};
    }
    // Whether `test` has every bit that `mask` has.
    static bool covers(I32 test, I32 mask) { return !any(mask & ~test); }
    template <class Mask>
    static bool any(Mask m) {
        return _mm512_movepi8_mask((__m512i)m) != 0;
    }
    // a where the bytes of `mask` are all ones, b where they are 0.
    template <class V>
    static V select(I32 mask, V a, V b) {
        return (V)_mm512_mask_blend_epi8(_mm512_movepi8_mask((__m512i)mask), (__m512i)b,
                                         (__m512i)a);
    }

  private:
    static __m128i load_16(const uint8_t* p) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    }
    // The lanes of a comparison mask as a mask register.
    static __mmask16 lanes_of(I32 mask) {
        return _mm512_test_epi32_mask((__m512i)mask, (__m512i)mask);
    }
};

}  // namespace
}  // namespace host

#endif
