// The vector rows of the block transfers, four pixels at a time.
#include "lumoria/transfer/vector_isa_sse2.h"

#if defined(__SSE2__)

#include "lumoria/transfer/vector_kernels.h"

namespace lumoria::sse2 {
extern const VectorRows kRows = TransferKernels<Sse2>::rows();
}

#endif
