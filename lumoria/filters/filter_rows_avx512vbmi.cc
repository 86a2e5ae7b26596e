// The table lookups with AVX-512 VBMI, whose two-table byte permute looks up
// 64 bytes at once in 128 table entries: two permutes and a choice by the top
// bit of each byte cover all 256. Masked loads and stores take the last few
// pixels and leave alpha unwritten where it is kept. Built with the AVX-512
// flags, and run only where the CPU reports them.
#include "lumoria/filters/filter_rows.h"

#if HOST_X86_VECTORS
#include <immintrin.h>

namespace lumoria {
namespace {

constexpr int32_t kPixels = 16;  // a vector of 64 bytes

// Looks up every byte of a row and writes those selected by `written`, a mask
// of the bytes of each pixel repeated every 4 bits.
void lookup_row(uint8_t* pixels, int32_t width, const uint8_t* bytes, uint64_t written) {
    const __m512i low_a = _mm512_loadu_si512(bytes);
    const __m512i low_b = _mm512_loadu_si512(bytes + 64);
    const __m512i high_a = _mm512_loadu_si512(bytes + 128);
    const __m512i high_b = _mm512_loadu_si512(bytes + 192);
    auto lookup = [&](__m512i v) {
        return _mm512_mask_blend_epi8(_mm512_movepi8_mask(v),
                                      _mm512_permutex2var_epi8(low_a, v, low_b),
                                      _mm512_permutex2var_epi8(high_a, v, high_b));
    };
    int32_t x = 0;
    for (; width - x >= kPixels; x += kPixels) {
        uint8_t* p = pixels + static_cast<ptrdiff_t>(x) * host::kPixelBytes;
        _mm512_mask_storeu_epi8(p, written, lookup(_mm512_loadu_si512(p)));
    }
    if (x == width) return;
    uint8_t* p = pixels + static_cast<ptrdiff_t>(x) * host::kPixelBytes;
    const __mmask64 tail = (uint64_t{1} << ((width - x) * host::kPixelBytes)) - 1;
    _mm512_mask_storeu_epi8(p, tail & written, lookup(_mm512_maskz_loadu_epi8(tail, p)));
}

}  // namespace

void vbmi_lookup_colour_row(uint8_t* pixels, int32_t width, const uint8_t* bytes) {
    lookup_row(pixels, width, bytes, 0x7777777777777777);
}

void vbmi_lookup_all_row(uint8_t* pixels, int32_t width, const uint8_t* bytes) {
    lookup_row(pixels, width, bytes, ~uint64_t{0});
}

}  // namespace lumoria
#endif
