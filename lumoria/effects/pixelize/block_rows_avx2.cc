// pixelize's block sums and fills with AVX2.
#include "lumoria/effects/pixelize/block_rows.h"

#if HOST_X86_VECTORS
#include "host/vector_avx2.h"
#include "lumoria/effects/pixelize/block_rows_kernel.h"

namespace lumoria {

const BlockRows kAvx2BlockRows{vector_sum<host::Avx2>, vector_fill<host::Avx2>, nullptr};

}  // namespace lumoria
#endif
