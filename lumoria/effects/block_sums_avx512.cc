#include "host/vector_avx512.h"
#include "lumoria/effects/block_sums_kernel.h"

namespace lumoria {

const BlockSums kAvx512BlockSums{vector_sum<host::Avx512>};

}  // namespace lumoria
