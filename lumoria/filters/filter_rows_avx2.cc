// The filter rows with AVX2: eight pixels a vector. Built with -mavx2, and
// run only where the CPU reports AVX2.
#include "lumoria/filters/filter_rows.h"

#if HOST_X86_VECTORS
#include "host/vector_avx2.h"
#include "lumoria/filters/filter_rows_kernel.h"

namespace lumoria {
namespace {

// The AVX2 vectors with the filters' own operations.
struct Filters : host::Avx2 {
    // Per channel the weight of x then of y, as bytes (0..100 fits the signed
    // operand of the byte multiply-add): a 16-bit lane per channel.
    using Weights = U32;
    static Weights weights(const uint8_t (&x)[4], const uint8_t (&y)[4]) {
        uint64_t pairs = 0;
        for (int k = 0; k < 4; ++k) pairs |= (uint64_t{x[k]} | uint64_t{y[k]} << 8) << (16 * k);
        return (U32)(U64{} + pairs);
    }
    // Interleaved, each channel of x meets its channel of y in one byte pair;
    // the sums (at most 25500) never reach the 16-bit saturation.
    static U16 pair_sums_low(U32 x, U32 y, Weights w) {
        return multiply_add_8_to_16(interleave_8_low(x, y), w);
    }
    static U16 pair_sums_high(U32 x, U32 y, Weights w) {
        return multiply_add_8_to_16(interleave_8_high(x, y), w);
    }

    // blue + green + red of each pixel, in its 32-bit lane: byte pairs
    // (blue + green, red + 0) and then the two pairs added.
    static U32 channel_sums(U32 v) {
        return (U32)multiply_add_16_to_32(multiply_add_8_to_16(v, splat_u32(0x00010101)),
                                          splat_u16(1));
    }
    // A value 0..255 in each 32-bit lane, copied into its three low bytes
    // (an index with its top bit set gives 0).
    static U32 spread_grey(U32 grey) {
        const U32 low_byte_thrice = splat_u32(0x80000000) + lane_bytes_first();
        return shuffle_8(grey, low_byte_thrice);
    }

  private:
    // In each 32-bit lane, the index of its first byte within its 128-bit
    // half, thrice: 0, 4, 8 or 12.
    static U32 lane_bytes_first() { return (U32)(lane_numbers() % 4 * 4) * 0x00010101u; }
};

// A 256-byte table looked up 32 bytes at a time with the 16-entry byte
// shuffle. Byte values are split by their top bit into a low and a high half
// of eight 16-byte blocks each; within a half, block j is used by a byte in a
// "block j or below" test, and the blocks are stored as differences of
// neighbours (block j XOR block j + 1, the last one as it is), so that the
// XOR of every block whose test passes telescopes to the byte's own block.
// The test is made by adding 112 - 16 j with unsigned saturation: the sum
// keeps its top bit clear, and the shuffle then reads the block, exactly for
// the bytes of block j or below; the low four bits, the place in the block,
// are those of the byte.
class ByteTable {
  public:
    explicit ByteTable(const uint8_t* bytes) {
        for (int j = 0; j < kBlocks; ++j) {
            low_[j] = telescoped(bytes, j);
            high_[j] = telescoped(bytes + 128, j);
        }
    }

    Filters::U32 lookup(Filters::U32 v) const {
        const Filters::U32 flipped = v ^ 0x80808080u;
        Filters::U32 result = Filters::shuffle_8(low_[kBlocks - 1], v) ^
                              Filters::shuffle_8(high_[kBlocks - 1], flipped);
        for (int j = 0; j < kBlocks - 1; ++j) {
            const Filters::U32 lift = Filters::splat_u32(0x01010101u * (112 - 16 * j));
            result ^= Filters::shuffle_8(low_[j], Filters::saturating_add_u8(v, lift)) ^
                      Filters::shuffle_8(high_[j], Filters::saturating_add_u8(flipped, lift));
        }
        return result;
    }

  private:
    static constexpr int kBlocks = 8;

    static Filters::U32 telescoped(const uint8_t* half, int j) {
        Filters::U32 block = Filters::broadcast_16_bytes(half + 16 * j);
        if (j + 1 < kBlocks) block ^= Filters::broadcast_16_bytes(half + 16 * (j + 1));
        return block;
    }

    Filters::U32 low_[kBlocks], high_[kBlocks];
};

void shuffled_lookup_colour_row(uint8_t* pixels, int32_t width, const uint8_t* bytes) {
    const ByteTable table(bytes);
    const Filters::I32 alpha = Filters::splat_i32(static_cast<int32_t>(0xFF000000));
    vector_kernels::each_vector<Filters>(
        pixels, width, [&](Filters::U32 v) { return Filters::select(alpha, v, table.lookup(v)); });
}

void shuffled_lookup_all_row(uint8_t* pixels, int32_t width, const uint8_t* bytes) {
    const ByteTable table(bytes);
    vector_kernels::each_vector<Filters>(pixels, width,
                                         [&table](Filters::U32 v) { return table.lookup(v); });
}

}  // namespace

const FilterRows kAvx2FilterRows{vector_kernels::tint_row<Filters>,
                                 vector_kernels::colorize_row<Filters>,
                                 vector_kernels::grey_row<Filters>,
                                 vector_kernels::grayscale_row<Filters>,
                                 vector_kernels::negative_row<Filters>,
                                 shuffled_lookup_colour_row,
                                 shuffled_lookup_all_row};

const FilterRows kAvx2VbmiFilterRows{vector_kernels::tint_row<Filters>,
                                     vector_kernels::colorize_row<Filters>,
                                     vector_kernels::grey_row<Filters>,
                                     vector_kernels::grayscale_row<Filters>,
                                     vector_kernels::negative_row<Filters>,
                                     vbmi_lookup_colour_row,
                                     vbmi_lookup_all_row};

}  // namespace lumoria
#endif
