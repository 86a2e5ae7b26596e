// The rows of Quorvex: each fills destination row `y`, whose row terms are
// `row`, from the source, pixel by pixel from left to right. The plain ones
// are the reference; their vectorised twins, for x86 CPUs, are an SSE2 set
// (the x86 baseline) and AVX2 and AVX-512 sets, to be used only where the CPU
// has them. Each gives exactly the bytes of its plain twin, under the
// conditions of suits_vectors().
#pragma once

#include <cstdint>

#include "Quorvex/inverse_map.h"
#include "host/cpu_features.h"
#include "host/host_bitmap.h"

namespace quorvex {

using RowTransform = void (*)(const InverseMap& map, RowTerms row, const host::Surface& src,
                              uint8_t* dest_row, int32_t dest_width);

// The source is read where it stands at that moment: in place, pixels
// written earlier in the call are what is read.
void nearest_row(const InverseMap& map, RowTerms row, const host::Surface& src, uint8_t* dest_row,
                 int32_t dest_width);
void bilinear_row(const InverseMap& map, RowTerms row, const host::Surface& src, uint8_t* dest_row,
                  int32_t dest_width);

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
