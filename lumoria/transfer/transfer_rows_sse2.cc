// The vector rows of the block transfers, four pixels at a time.
#include "host/cpu_features.h"
#include "host/vector_sse2.h"

#if HOST_X86_VECTORS

#include "lumoria/transfer/transfer_rows.h"
#include "lumoria/transfer/transfer_rows_kernel.h"

namespace lumoria {
extern const TransferRows kSse2TransferRows = TransferKernels<host::Sse2>::kRows;
}

#endif
