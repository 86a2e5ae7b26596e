#include "host/vector_sse2.h"
#include "lumoria/effects/block_sums_kernel.h"

namespace lumoria {

const BlockSums kSse2BlockSums{vector_sum<host::Sse2>};

}  // namespace lumoria
