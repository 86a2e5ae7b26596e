// pixelize's block sums with SSE2.
#include "lumoria/effects/block_sums.h"

#if HOST_X86_VECTORS
#include "host/vector_sse2.h"
#include "lumoria/effects/block_sums_kernel.h"

namespace lumoria {

const BlockSums kSse2BlockSums{vector_sum<host::Sse2>};

}  // namespace lumoria
#endif
