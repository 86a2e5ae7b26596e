// The table lookups with AVX-512 VBMI, whose two-table byte permute looks up
// 64 bytes at once in 128 table entries: two permutes and a choice by the top
// bit of each byte cover all 256. Masked loads and stores take the last few
// pixels and leave alpha unwritten where it is kept. Built with the AVX-512
// flags, and run only where the CPU reports them.
#include "lumoria/filters/filter_rows.h"

#if HOST_X86_VECTORS
#include "host/vector_avx512.h"

namespace lumoria {
namespace {

using V = host::Avx512;

// Looks up every byte of a row and writes those selected by `written`, a mask
// of the bytes of each pixel repeated every 4 bits.
void lookup_row(uint8_t* pixels, int32_t width, const uint8_t* bytes, uint64_t written) {
    const V::U32 low_a = V::load(bytes), low_b = V::load(bytes + 64);
    const V::U32 high_a = V::load(bytes + 128), high_b = V::load(bytes + 192);
    auto lookup = [&](V::U32 v) {
        return V::select_by_top_bit_8(v, V::permute_8_of_two(high_a, v, high_b),
                                      V::permute_8_of_two(low_a, v, low_b));
    };
    int32_t x = 0;
    for (; width - x >= V::kPixels; x += V::kPixels) {
        uint8_t* p = pixels + static_cast<ptrdiff_t>(x) * host::kPixelBytes;
        V::store_bytes(p, written, lookup(V::load(p)));
    }
    if (x == width) return;
    uint8_t* p = pixels + static_cast<ptrdiff_t>(x) * host::kPixelBytes;
    const uint64_t tail = (uint64_t{1} << ((width - x) * host::kPixelBytes)) - 1;
    V::store_bytes(p, tail & written, lookup(V::load_bytes(p, tail)));
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
