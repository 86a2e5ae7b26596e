// The vector rows of the block transfers, eight pixels at a time; used only
// where the CPU reports AVX2.
#include "lumoria/transfer/vector_isa_avx2.h"

#if defined(__x86_64__) || defined(__i386__)
#if !defined(__AVX2__)
#error "files named *_avx2.cc are built with -mavx2"
#endif

#include "lumoria/transfer/vector_kernels.h"

namespace lumoria::avx2 {
extern const VectorRows kRows = TransferKernels<Avx2>::rows();
}

#endif
