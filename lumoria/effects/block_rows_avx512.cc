// pixelize's block sums and fills with AVX-512.
#include "lumoria/effects/block_rows.h"

#if HOST_X86_VECTORS
#include "host/vector_avx512.h"
#include "lumoria/effects/block_rows_kernel.h"

namespace lumoria {

const BlockRows kAvx512BlockRows{vector_sum<host::Avx512>, vector_fill<host::Avx512>};

}  // namespace lumoria
#endif
