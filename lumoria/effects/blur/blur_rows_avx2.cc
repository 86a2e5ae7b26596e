// The radial blur rows with AVX2, eight lanes: built with -mavx2, and run
// only where the CPU reports AVX2.
#include "lumoria/effects/blur/blur_rows.h"

#if HOST_X86_VECTORS
#include "host/vector_avx2.h"
#include "lumoria/effects/blur/blur_rows_kernel.h"

namespace lumoria {

const BlurRows kAvx2BlurRows{BlurLanes<host::Avx2>::fixed_row, BlurLanes<host::Avx2>::scaled_row};

}  // namespace lumoria
#endif
