// The ripples' rows with AVX2, eight pixels a vector. Built with -mavx2, run
// only where the CPU has it.
#include "lumoria/effects/ripples/ripple_rows.h"

#if HOST_X86_VECTORS
#include "host/vector_avx2.h"
#include "lumoria/effects/ripples/ripple_rows_kernel.h"

namespace lumoria {

const RippleRows kAvx2RippleRows{RippleLanes<host::Avx2>::gather_columns,
                                 RippleLanes<host::Avx2>::scale_ring_row};

}  // namespace lumoria
#endif
