// The channel sums of pixelize's blocks: a block's rows, each a run of
// pixels from the left, added into one set of sums. The vector sets add
// whole vectors of bytes in 16-bit lanes, each lane one channel of one place
// in the vector, and empty the lanes into the sums before they can overflow;
// sums are associative, so the order of the additions changes nothing.
#pragma once

#include <cstdint>

#include "host/cpu_features.h"
#include "lumoria/effects/pixel_rules.h"

namespace lumoria {

// Adds the `width` x `height` pixels from `first` (each next row `stride`
// bytes lower in memory) to `sums`. width and height are at least 1.
using BlockSum = void (*)(const uint8_t* first, uintptr_t stride, int64_t width, int64_t height,
                          ChannelSums& sums);

struct BlockSums {
    BlockSum sum;
};

extern const BlockSums kPlainBlockSums;
#if HOST_X86_VECTORS
extern const BlockSums kSse2BlockSums;
extern const BlockSums kAvx2BlockSums;
extern const BlockSums kAvx512BlockSums;
#endif

extern const host::Variants<BlockSums> kBlockSumVariants;

}  // namespace lumoria
