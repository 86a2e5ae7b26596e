// The Quorvex rows with AVX-512: 16 pixels a vector. Built with the AVX-512
// level's flags (which bring no fused multiply-add), and run only where the
// CPU reports that level.
#include "Quorvex/transform_rows.h"

#if HOST_X86_VECTORS
#include "Quorvex/transform_rows_kernel.h"
#include "host/vector_avx512.h"

namespace quorvex {
namespace {

// The AVX-512 vectors with the reads of source pixels.
struct Transforms : host::Avx512 {
    // The pixels at `offsets` from row 0 in the lanes of `mask`, 0 elsewhere;
    // the other lanes are not read.
    static U32 gather(const uint8_t* row0, I32 offsets, I32 mask) {
        return gather_32<host::kPixelBytes>(row0, offsets, mask);
    }
    // Whether `test` holds in every lane of `mask`.
    static bool holds_in(I32 test, I32 mask) { return !any(mask & ~test); }
    // Each pixel and the one to its right, gathered as 8-byte pairs, eight
    // lanes at a time, then parted into the first and the second pixels.
    struct Pair {
        U32 first, second;
    };
    static Pair gather_pairs(const uint8_t* row0, I32 offsets, I32 mask) {
        const U32 low = gather_64_low<host::kPixelBytes>(row0, offsets, mask);
        const U32 high = gather_64_high<host::kPixelBytes>(row0, offsets, mask);
        const I32 evens = lane_numbers() * 2;
        return {permute_32_of_two(low, evens, high), permute_32_of_two(low, evens + 1, high)};
    }
};

}  // namespace

const RowTransforms kAvx512RowTransforms{vector_kernels::nearest_row<Transforms>,
                                         vector_kernels::bilinear_row<Transforms>};

}  // namespace quorvex
#endif
