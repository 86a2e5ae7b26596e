// The rows of pixelize's blocks: the channel sums of a block, its rows each
// a run of pixels from the left added into one set of sums, and the fill of
// a block with its mean. The vector sets add whole vectors of bytes in
// 16-bit lanes, each lane one channel of one place in the vector, and empty
// the lanes into the sums before they can overflow; sums are associative,
// so the order of the additions changes nothing. They fill a block's rows
// by vector stores, the last one masked.
#pragma once

#include <cstdint>

#include "host/cpu_features.h"
#include "lumoria/effects/channel_sums.h"

namespace lumoria {

// Adds the `width` x `height` pixels from `first` (each next row `stride`
// bytes lower in memory) to `sums`. width and height are at least 1.
using BlockSum = void (*)(const uint8_t* first, uintptr_t stride, int64_t width, int64_t height,
                          ChannelSums& sums);

// Writes the pixel `value` (fill_value's bytes) into the `width` x `height`
// pixels from `first`: a block already cut to the surface, as fill_rect_raw
// cuts it.
using BlockFill = void (*)(uint8_t* first, uintptr_t stride, int64_t width, int64_t height,
                           uint32_t value);

// Replaces each of `blocks` whole blocks, 8 pixels wide and `height` rows
// high (1 to kLargest8WideHeight), side by side from `first`, by its mean:
// the bytes of summing and filling each block in turn.
using Flatten8Wide = void (*)(uint8_t* first, uintptr_t stride, int64_t blocks, int64_t height);

// The tallest block that flatten_8_wide takes: its pixel count stays within
// the float mean of channel_sums.h, and its sums below 2^24 (255 · 65536).
constexpr int64_t kLargest8WideHeight = 8192;
static_assert(8 * kLargest8WideHeight <= kLargestFloatMeanCount);

struct BlockRows {
    BlockSum sum;
    BlockFill fill;
    // Blocks 8 pixels wide, a common size, summed several to a vector; null
    // where a set has no such routine and the blocks go one by one.
    Flatten8Wide flatten_8_wide;
};

extern const BlockRows kPlainBlockRows;
#if HOST_X86_VECTORS
extern const BlockRows kSse2BlockRows;
extern const BlockRows kAvx2BlockRows;
extern const BlockRows kAvx512BlockRows;
#endif

extern const host::Variants<BlockRows> kBlockVariants;

}  // namespace lumoria
