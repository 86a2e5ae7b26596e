// The vector rows of the block transfers, four pixels at a time.
#include "host/cpu_features.h"
#include "host/vector_sse2.h"

#if HOST_X86_VECTORS

#include "lumoria/transfer/vector_kernels.h"
#include "lumoria/transfer/vector_rows.h"

namespace lumoria {
extern const TransferRows kSse2TransferRows = TransferKernels<host::Sse2>::kRows;
}

#endif
