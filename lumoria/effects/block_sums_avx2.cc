// pixelize's block sums with AVX2.
#include "lumoria/effects/block_sums.h"

#if HOST_X86_VECTORS
#include "host/vector_avx2.h"
#include "lumoria/effects/block_sums_kernel.h"

namespace lumoria {

const BlockSums kAvx2BlockSums{vector_sum<host::Avx2>};

}  // namespace lumoria
#endif
