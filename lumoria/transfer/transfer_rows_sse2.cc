// The vector rows of the block transfers, four pixels at a time.
#include "host/cpu_features.h"
#include "lumoria/transfer/vector_isa_sse2.h"

#if HOST_X86_VECTORS

#include "lumoria/transfer/vector_kernels.h"

namespace lumoria::sse2 {
extern const VectorRows kRows = TransferKernels<Sse2>::rows();
}

#endif
