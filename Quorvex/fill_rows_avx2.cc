// The fill_color row with AVX2: eight pixels a vector; used only where the
// CPU reports AVX2.
#include "Quorvex/fill_rows.h"

#if HOST_X86_VECTORS
#if !defined(__AVX2__)
#error "files named *_avx2.cc are built with -mavx2"
#endif
#include "Quorvex/fill_rows_kernel.h"
#include "host/vector_avx2.h"

namespace quorvex {
const FillRows kAvx2FillRows{vector_kernels::fill_row<host::Avx2>};
}
#endif
