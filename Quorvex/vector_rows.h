// Vectorised twins of the Quorvex rows, for x86 CPUs: an SSE2 set (the x86
// baseline) and an AVX2 set, to be used only where the CPU has AVX2. Each
// gives exactly the bytes of its plain twin in rows.h, under the conditions
// of suits_vectors().
#pragma once

#include "Quorvex/rows.h"
#include "host/cpu_features.h"
#include "host/host_bitmap.h"

namespace quorvex {

struct RowTransforms {
    RowTransform nearest, bilinear;
};

extern const RowTransforms kPlainRowTransforms;
#if HOST_X86_VECTORS
extern const RowTransforms kSse2RowTransforms;
extern const RowTransforms kAvx2RowTransforms;
extern const RowTransforms kAvx512RowTransforms;
#endif

// The plain rows and each vector set, by instruction set level.
extern const host::Variants<RowTransforms> kTransformVariants;

// The vectorised rows sample a whole vector of pixels before writing any, so
// a destination that shares memory with the source keeps the plain rows,
// which see their own writes in walk order. They also address source pixels
// by 32-bit offsets from row 0, which must fit.
bool suits_vectors(const host::Surface& src, const host::Surface& dest);

}  // namespace quorvex
