#include "lumoria/effects/block_sums.h"

#include "lumoria/effects/rows.h"

namespace lumoria {
namespace {

void plain_sum(const uint8_t* first, uintptr_t stride, int64_t width, int64_t height,
               ChannelSums& sums) {
    for (int64_t k = 0; k < height; ++k)
        add_row(first - static_cast<uintptr_t>(k) * stride, width, sums);
}

}  // namespace

const BlockSums kPlainBlockSums{plain_sum};

const host::Variants<BlockSums> kBlockSumVariants{{
    &kPlainBlockSums,
    HOST_IF_X86_VECTORS(&kSse2BlockSums),
    HOST_IF_X86_VECTORS(&kAvx2BlockSums),
    HOST_IF_X86_VECTORS(&kAvx512BlockSums),
}};

}  // namespace lumoria
