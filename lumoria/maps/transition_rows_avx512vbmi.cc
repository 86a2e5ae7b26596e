// The transitions' multiplier rows with AVX-512 VBMI, 16 pixels a vector:
// the two-table byte permute looks up the low and the high byte of each
// pixel's multiplier by its mask byte, a 16-bit multiply-high scales alpha,
// and a masked store writes the alpha bytes alone. Built with the AVX-512
// flags, and run only where the CPU reports them.
#include "lumoria/maps/transition_rows.h"

#if HOST_X86_VECTORS
#include <immintrin.h>

// GCC 12's AVX-512 shifts and broadcasts start from a deliberately undefined
// vector, which its own warnings then report as used uninitialised.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

namespace lumoria {
namespace {

constexpr int32_t kPixels = 16;                          // a vector of 64 bytes
constexpr uint64_t kAlphaBytes = 0x8888888888888888ull;  // byte 3 of each pixel

// One byte of every multiplier (the low one at `first` 0, the high one at 1)
// as four vectors of 64, for mask values 0..63, 64..127, 128..191, 192..255.
struct ByteTable {
    __m512i part[4];
};

ByteTable byte_table(const uint16_t* scales, int first) {
    // Every other byte of two vectors of multipliers, starting at `first`.
    alignas(64) uint8_t picks[64];
    for (int i = 0; i < 64; ++i) picks[i] = static_cast<uint8_t>(2 * i + first);
    const __m512i pick = _mm512_load_si512(picks);
    ByteTable table;
    for (int k = 0; k < 4; ++k) {
        const __m512i a = _mm512_loadu_si512(scales + 64 * k);
        const __m512i b = _mm512_loadu_si512(scales + 64 * k + 32);
        table.part[k] = _mm512_permutex2var_epi8(a, pick, b);
    }
    return table;
}

// The table's byte for each byte of `index`: two permutes of 128 entries and
// a choice by the index's top bit.
inline __m512i look_up(const ByteTable& t, __m512i index, __mmask64 upper) {
    return _mm512_mask_blend_epi8(upper, _mm512_permutex2var_epi8(t.part[0], index, t.part[1]),
                                  _mm512_permutex2var_epi8(t.part[2], index, t.part[3]));
}

// The window's 64 multipliers as two vectors of bytes: the low bytes, then
// the high ones, for a two-table permute whose index picks the high table
// with its bit 6.
struct WindowTable {
    __m512i low, high;
};

WindowTable window_table(const TransitionScales& scales) {
    alignas(64) uint8_t picks[64];
    for (int i = 0; i < 64; ++i) picks[i] = static_cast<uint8_t>(2 * i);
    const __m512i a = _mm512_loadu_si512(scales.by_mask + scales.window);
    const __m512i b = _mm512_loadu_si512(scales.by_mask + scales.window + 32);
    const __m512i pick = _mm512_load_si512(picks);
    return {_mm512_permutex2var_epi8(a, pick, b),
            _mm512_permutex2var_epi8(a, _mm512_add_epi8(pick, _mm512_set1_epi8(1)), b)};
}

// Rewrites the alpha of `count` dest pixels; scales_of(index) gives each
// pixel's multiplier in its low 16 bits from its mask byte, which `index`
// holds in bytes 0 and 1 of the pixel (bytes 2 and 3 are 0).
template <bool kFadeOut, class ScalesOf>
void rewrite_row(uint8_t* dest, const uint8_t* mask, int32_t count, ScalesOf scales_of) {
    // Per pixel: the mask's red byte into bytes 0 and 1, and dest's alpha
    // into bytes 0 and 1 (257 * alpha); bytes 2 and 3 cleared.
    const __m512i red_twice = _mm512_set1_epi32(static_cast<int32_t>(0x80800202u));
    const __m512i alpha_twice = _mm512_set1_epi32(static_cast<int32_t>(0x80800303u));
    const __m512i red_spread = _mm512_add_epi8(
        _mm512_broadcast_i32x4(_mm_setr_epi32(0, 0x04040404, 0x08080808, 0x0C0C0C0C)), red_twice);
    const __m512i alpha_spread = _mm512_add_epi8(
        _mm512_broadcast_i32x4(_mm_setr_epi32(0, 0x04040404, 0x08080808, 0x0C0C0C0C)), alpha_twice);

    // The new pixels of one vector, from its dest and mask bytes.
    auto rewrite = [&](__m512i pixels, __m512i mask_pixels) {
        const __m512i scale = scales_of(_mm512_shuffle_epi8(mask_pixels, red_spread));
        const __m512i alpha257 = _mm512_shuffle_epi8(pixels, alpha_spread);
        // Bytes 2 and 3 of alpha257 are 0, so the upper half of each pixel's
        // product is 0 whatever the table put there.
        __m512i alpha = _mm512_srli_epi16(_mm512_mulhi_epu16(alpha257, scale), 8);
        if (kFadeOut) alpha = _mm512_sub_epi16(_mm512_srli_epi32(pixels, 24), alpha);
        return _mm512_mask_blend_epi8(kAlphaBytes, pixels, _mm512_slli_epi32(alpha, 24));
    };
    int32_t x = 0;
    for (; count - x >= kPixels; x += kPixels) {
        const ptrdiff_t offset = static_cast<ptrdiff_t>(x) * host::kPixelBytes;
        _mm512_storeu_si512(dest + offset, rewrite(_mm512_loadu_si512(dest + offset),
                                                   _mm512_loadu_si512(mask + offset)));
    }
    if (x == count) return;
    // The last few pixels: masked loads and stores stay inside the rows.
    const ptrdiff_t offset = static_cast<ptrdiff_t>(x) * host::kPixelBytes;
    const __mmask64 tail = (uint64_t{1} << ((count - x) * host::kPixelBytes)) - 1;
    _mm512_mask_storeu_epi8(dest + offset, tail,
                            rewrite(_mm512_maskz_loadu_epi8(tail, dest + offset),
                                    _mm512_maskz_loadu_epi8(tail, mask + offset)));
}

template <bool kFadeOut>
void scaled_row(uint8_t* dest, const uint8_t* mask, int32_t count, const TransitionCall& call) {
    if (call.scales.windowed) {
        const WindowTable window = window_table(call.scales);
        const __m512i window_first = _mm512_set1_epi8(static_cast<char>(call.scales.window));
        // Byte 1 of each pixel's index reads the high table.
        const __m512i high_table = _mm512_set1_epi32(0x4000);
        rewrite_row<kFadeOut>(dest, mask, count, [&](__m512i index) {
            // Clamped into the window: below it 0, above it 63.
            const __m512i at =
                _mm512_min_epu8(_mm512_subs_epu8(index, window_first), _mm512_set1_epi8(63));
            return _mm512_permutex2var_epi8(window.low, _mm512_or_si512(at, high_table),
                                            window.high);
        });
        return;
    }
    const ByteTable low = byte_table(call.scales.by_mask, 0);
    const ByteTable high = byte_table(call.scales.by_mask, 1);
    constexpr __mmask64 kHighBytes = 0xAAAAAAAAAAAAAAAAull;  // byte 1 of each 16-bit lane
    rewrite_row<kFadeOut>(dest, mask, count, [&](__m512i index) {
        const __mmask64 upper = _mm512_movepi8_mask(index);
        return _mm512_mask_blend_epi8(kHighBytes, look_up(low, index, upper),
                                      look_up(high, index, upper));
    });
}

}  // namespace

const TransitionRows kAvx512TransitionRows{scaled_row<false>, scaled_row<true>, true};

}  // namespace lumoria
#endif
