// The vector rows of the block transfers, 16 pixels at a time; used only
// where the CPU reports the AVX-512 level.
#include "host/cpu_features.h"
#include "host/vector_avx512.h"

#if HOST_X86_VECTORS
#if !defined(__AVX512BW__)
#error "files named *_avx512.cc are built with the AVX-512 flags"
#endif

#include "lumoria/transfer/transfer_rows.h"
#include "lumoria/transfer/transfer_rows_kernel.h"

namespace lumoria {
extern const TransferRows kAvx512TransferRows = TransferKernels<host::Avx512>::kRows;
}

#endif
