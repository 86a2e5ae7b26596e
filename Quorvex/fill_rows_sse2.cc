// The fill_color row with SSE2: four pixels a vector.
#include "Quorvex/fill_rows.h"

#if HOST_X86_VECTORS
#include "Quorvex/fill_rows_kernel.h"
#include "host/vector_sse2.h"

namespace quorvex {
const FillRows kSse2FillRows{vector_kernels::fill_row<host::Sse2>};
}
#endif
