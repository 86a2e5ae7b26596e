// The radial blur rows with AVX-512, sixteen lanes: built with the AVX-512
// level's flags, and run only where the CPU has them.
#include "lumoria/effects/blur/blur_rows.h"

#if HOST_X86_VECTORS
#include "host/vector_avx512.h"
#include "lumoria/effects/blur/blur_rows_kernel.h"

namespace lumoria {

const BlurRows kAvx512BlurRows{BlurLanes<host::Avx512>::fixed_row,
                               BlurLanes<host::Avx512>::scaled_row};

}  // namespace lumoria
#endif
