// The filter rows with SSE2, the baseline of every x86-64 CPU (and of the
// 32-bit build): four pixels a vector.
#include "lumoria/filters/filter_rows.h"

#if HOST_X86_VECTORS
#include "host/vector_sse2.h"
#include "lumoria/filters/filter_rows_kernel.h"

namespace lumoria {
namespace {

// The SSE2 vectors with the filters' own operations.
struct Filters : host::Sse2 {
    // Per channel in 16-bit lanes, the weights of x and of y.
    struct Weights {
        U16 x, y;
    };
    static Weights weights(const uint8_t (&x)[4], const uint8_t (&y)[4]) {
        return {lanes16(x), lanes16(y)};
    }
    static U16 pair_sums_low(U32 x, U32 y, const Weights& w) {
        return widen_8_to_16_low(x) * w.x + widen_8_to_16_low(y) * w.y;
    }
    static U16 pair_sums_high(U32 x, U32 y, const Weights& w) {
        return widen_8_to_16_high(x) * w.x + widen_8_to_16_high(y) * w.y;
    }

    // blue + green + red of each pixel, in its 32-bit lane.
    static U32 channel_sums(U32 v) { return (v & 0xFF) + (v >> 8 & 0xFF) + (v >> 16 & 0xFF); }
    // A value 0..255 in each 32-bit lane, copied into its three low bytes.
    static U32 spread_grey(U32 grey) { return grey | grey << 8 | grey << 16; }

  private:
    static U16 lanes16(const uint8_t (&w)[4]) {
        return (U16)(U64{} + (uint64_t{w[0]} | uint64_t{w[1]} << 16 | uint64_t{w[2]} << 32 |
                              uint64_t{w[3]} << 48));
    }
};

}  // namespace

// SSE2 has no byte shuffle: the table lookups keep their plain rows.
const FilterRows kSse2FilterRows{vector_kernels::tint_row<Filters>,
                                 vector_kernels::colorize_row<Filters>,
                                 vector_kernels::grey_row<Filters>,
                                 vector_kernels::grayscale_row<Filters>,
                                 vector_kernels::negative_row<Filters>,
                                 lookup_colour_row,
                                 lookup_all_row};

}  // namespace lumoria
#endif
