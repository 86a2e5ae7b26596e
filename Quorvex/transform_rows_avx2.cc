// The Quorvex rows with AVX2: eight pixels a vector. Built with -mavx2 (which brings no fused
// multiply-add), and run only where the CPU reports AVX2.
#include "Quorvex/transform_rows.h"

#if HOST_X86_VECTORS
#include "Quorvex/transform_rows_kernel.h"
#include "host/vector_avx2.h"

namespace quorvex {
namespace {

// The AVX2 vectors with the reads of source pixels.
struct Transforms : host::Avx2 {
    // The pixels at `offsets` from row 0 in the lanes of `mask`, 0 elsewhere;
    // the other lanes are not read.
    static U32 gather(const uint8_t* row0, I32 offsets, I32 mask) {
        return gather_32<host::kPixelBytes>(row0, offsets, mask);
    }
    // Whether `test` holds in every lane of `mask`.
    static bool holds_in(I32 test, I32 mask) { return covers(test, mask); }
    // Each pixel and the one to its right, read as one 8-byte pair: half as
    // many reads, and plain loads, which beat a gather here. The lanes
    // outside `mask` read the pair at row 0's start instead, which exists
    // because a sampled lane has a right neighbour. Pairs of lanes 0 1 4 5
    // and 2 3 6 7 go together, so that splitting them within each 128-bit
    // half puts the pixels back in order.
    struct Pair {
        U32 first, second;
    };
    static Pair gather_pairs(const uint8_t* row0, I32 offsets, I32 mask) {
        const I32 at = offsets & mask;
        auto pair = [&](int lane) {
            const uintptr_t address =
                reinterpret_cast<uintptr_t>(row0) +
                static_cast<uintptr_t>(static_cast<intptr_t>(at[lane])) * host::kPixelBytes;
            return reinterpret_cast<const uint8_t*>(address);
        };
        const Parted parted = part_even_odd(load_64_each(pair(0), pair(1), pair(4), pair(5)),
                                            load_64_each(pair(2), pair(3), pair(6), pair(7)));
        return {parted.even, parted.odd};
    }
};

}  // namespace

const RowTransforms kAvx2RowTransforms{vector_kernels::nearest_row<Transforms>,
                                       vector_kernels::bilinear_row<Transforms>};

}  // namespace quorvex
#endif
