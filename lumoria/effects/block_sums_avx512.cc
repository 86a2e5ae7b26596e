// pixelize's block sums with AVX-512.
#include "lumoria/effects/block_sums.h"

#if HOST_X86_VECTORS
#include "host/vector_avx512.h"
#include "lumoria/effects/block_sums_kernel.h"

namespace lumoria {

const BlockSums kAvx512BlockSums{vector_sum<host::Avx512>};

}  // namespace lumoria
#endif
