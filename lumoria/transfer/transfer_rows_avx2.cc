// The vector rows of the block transfers, eight pixels at a time; used only
// where the CPU reports AVX2.
#include "host/cpu_features.h"
#include "host/vector_avx2.h"

#if HOST_X86_VECTORS
#if !defined(__AVX2__)
#error "files named *_avx2.cc are built with -mavx2"
#endif

#include "lumoria/transfer/transfer_rows.h"
#include "lumoria/transfer/transfer_rows_kernel.h"

namespace lumoria {
extern const TransferRows kAvx2TransferRows = TransferKernels<host::Avx2>::kRows;
}

#endif
