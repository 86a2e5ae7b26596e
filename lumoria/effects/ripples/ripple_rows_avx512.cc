// The ripples' rows with AVX-512, sixteen pixels a vector. Built with the
// AVX-512 level's flags, run only where the CPU has them.
#include "lumoria/effects/ripples/ripple_rows.h"

#if HOST_X86_VECTORS
#include "host/vector_avx512.h"
#include "lumoria/effects/ripples/ripple_rows_kernel.h"

namespace lumoria {

const RippleRows kAvx512RippleRows{RippleLanes<host::Avx512>::gather_columns,
                                   RippleLanes<host::Avx512>::scale_ring_row};

}  // namespace lumoria
#endif
