// pixelize's block sums and fills with SSE2.
#include "lumoria/effects/pixelize/block_rows.h"

#if HOST_X86_VECTORS
#include "host/vector_sse2.h"
#include "lumoria/effects/pixelize/block_rows_kernel.h"

namespace lumoria {

const BlockRows kSse2BlockRows{vector_sum<host::Sse2>, vector_fill<host::Sse2>, nullptr};

}  // namespace lumoria
#endif
