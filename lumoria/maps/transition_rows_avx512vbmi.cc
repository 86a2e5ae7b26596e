// The transitions' multiplier rows with AVX-512 VBMI, 16 pixels a vector:
// the two-table byte permute looks up the low and the high byte of each
// pixel's multiplier by its mask byte, a 16-bit multiply-high scales alpha,
// and a masked store writes the alpha bytes alone. Built with the AVX-512
// flags, and run only where the CPU reports them.
#include "lumoria/maps/transition_rows.h"

#if HOST_X86_VECTORS
#include "host/vector_avx512.h"

namespace lumoria {
namespace {

using V = host::Avx512;

constexpr uint64_t kAlphaBytes = 0x8888888888888888ull;  // byte 3 of each pixel

// Bytes 2 i + first of the 128 bytes from `from`, for i = 0 .. 63: one byte
// of each of 64 multipliers.
V::U32 every_other_byte(const uint16_t* from, int first) {
    uint8_t picks[V::kBytes];
    for (int i = 0; i < V::kBytes; ++i) picks[i] = static_cast<uint8_t>(2 * i + first);
    const auto* bytes = reinterpret_cast<const uint8_t*>(from);
    return V::permute_8_of_two(V::load(bytes), V::load(picks), V::load(bytes + V::kBytes));
}

// One byte of every multiplier (the low one at `first` 0, the high one at 1)
// as four vectors of 64, for mask values 0..63, 64..127, 128..191, 192..255.
struct ByteTable {
    V::U32 part[4];
};

ByteTable byte_table(const uint16_t* scales, int first) {
    ByteTable table;
    for (int k = 0; k < 4; ++k) table.part[k] = every_other_byte(scales + 64 * k, first);
    return table;
}

// The table's byte for each byte of `index`: two permutes of 128 entries and
// a choice by the index's top bit.
inline V::U32 look_up(const ByteTable& t, V::U32 index) {
    return V::select_by_top_bit_8(index, V::permute_8_of_two(t.part[2], index, t.part[3]),
                                  V::permute_8_of_two(t.part[0], index, t.part[1]));
}

// The window's 64 multipliers as two vectors of bytes: the low bytes, then
// the high ones, for a two-table permute whose index picks the high table
// with its bit 6.
struct WindowTable {
    V::U32 low, high;
};

WindowTable window_table(const TransitionScales& scales) {
    const uint16_t* window = scales.by_mask + scales.window;
    return {every_other_byte(window, 0), every_other_byte(window, 1)};
}

// Rewrites the alpha of `count` dest pixels; scales_of(index) gives each
// pixel's multiplier in its low 16 bits from its mask byte, which `index`
// holds in bytes 0 and 1 of the pixel (bytes 2 and 3 are 0).
template <bool kFadeOut, class ScalesOf>
void rewrite_row(uint8_t* dest, const uint8_t* mask, int32_t count, ScalesOf scales_of) {
    // Per pixel: the mask's red byte into bytes 0 and 1, and dest's alpha
    // into bytes 0 and 1 (257 * alpha); bytes 2 and 3 cleared (an index with
    // its top bit set gives 0).
    const V::U32 pixel_first_byte = (V::U32)(V::lane_numbers() % 4) * 0x04040404u;
    const V::U32 red_spread = pixel_first_byte + 0x80800202u;
    const V::U32 alpha_spread = pixel_first_byte + 0x80800303u;

    // The new pixels of one vector, from its dest and mask bytes.
    auto rewrite = [&](V::U32 pixels, V::U32 mask_pixels) {
        const V::U16 scale = (V::U16)scales_of(V::shuffle_8(mask_pixels, red_spread));
        const V::U16 alpha257 = (V::U16)V::shuffle_8(pixels, alpha_spread);
        // Bytes 2 and 3 of alpha257 are 0, so the upper half of each pixel's
        // product is 0 whatever the table put there.
        V::U16 alpha = V::mulhi_u16(alpha257, scale) >> 8;
        if (kFadeOut) alpha = (V::U16)(pixels >> 24) - alpha;
        return V::select_bytes(kAlphaBytes, (V::U32)alpha << 24, pixels);
    };
    int32_t x = 0;
    for (; count - x >= V::kPixels; x += V::kPixels) {
        const ptrdiff_t offset = static_cast<ptrdiff_t>(x) * host::kPixelBytes;
        V::store(dest + offset, rewrite(V::load(dest + offset), V::load(mask + offset)));
    }
    if (x == count) return;
    // The last few pixels: masked loads and stores stay inside the rows.
    const ptrdiff_t offset = static_cast<ptrdiff_t>(x) * host::kPixelBytes;
    const uint64_t tail = (uint64_t{1} << ((count - x) * host::kPixelBytes)) - 1;
    V::store_bytes(dest + offset, tail,
                   rewrite(V::load_bytes(dest + offset, tail), V::load_bytes(mask + offset, tail)));
}

template <bool kFadeOut>
void scaled_row(uint8_t* dest, const uint8_t* mask, int32_t count, const TransitionCall& call) {
    if (call.scales.windowed) {
        const WindowTable window = window_table(call.scales);
        const V::U32 window_first = V::splat_u32(0x01010101u * call.scales.window);
        const V::U32 last = V::splat_u32(0x3F3F3F3F);  // 63 in every byte
        // Byte 1 of each pixel's index reads the high table.
        const V::U32 high_table = V::splat_u32(0x4000);
        rewrite_row<kFadeOut>(dest, mask, count, [&](V::U32 index) {
            // Clamped into the window: below it 0, above it 63.
            const V::U32 at = V::min_u8(V::saturating_sub_u8(index, window_first), last);
            return V::permute_8_of_two(window.low, at | high_table, window.high);
        });
        return;
    }
    const ByteTable low = byte_table(call.scales.by_mask, 0);
    const ByteTable high = byte_table(call.scales.by_mask, 1);
    constexpr uint64_t kHighBytes = 0xAAAAAAAAAAAAAAAAull;  // byte 1 of each 16-bit lane
    rewrite_row<kFadeOut>(dest, mask, count, [&](V::U32 index) {
        return V::select_bytes(kHighBytes, look_up(high, index), look_up(low, index));
    });
}

}  // namespace

const TransitionRows kAvx512TransitionRows{scaled_row<false>, scaled_row<true>, true};

}  // namespace lumoria
#endif
