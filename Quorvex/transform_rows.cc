#include "Quorvex/transform_rows.h"

#include <climits>

#include "Quorvex/sampling.h"

namespace quorvex {
namespace {

using PixelSampler = void (*)(const host::Surface&, SourcePoint, uint8_t*);

template <PixelSampler sample>
void transform_row(const InverseMap& map, RowTerms row, const host::Surface& src, uint8_t* dest_row,
                   int32_t dest_width) {
    for (int32_t x = 0; x < dest_width; ++x) {
        const SourcePoint p = map_pixel(map, row, x);
        if (inside_source(map, p))
            sample(src, p, dest_row + static_cast<ptrdiff_t>(x) * host::kPixelBytes);
    }
}

}  // namespace

void nearest_row(const InverseMap& map, RowTerms row, const host::Surface& src, uint8_t* dest_row,
                 int32_t dest_width) {
    transform_row<nearest_pixel>(map, row, src, dest_row, dest_width);
}

void bilinear_row(const InverseMap& map, RowTerms row, const host::Surface& src, uint8_t* dest_row,
                  int32_t dest_width) {
    transform_row<bilinear_pixel>(map, row, src, dest_row, dest_width);
}

const RowTransforms kPlainRowTransforms{nearest_row, bilinear_row};

const host::Variants<RowTransforms> kTransformVariants{{
    &kPlainRowTransforms,
    HOST_IF_X86_VECTORS(&kSse2RowTransforms),
    HOST_IF_X86_VECTORS(&kAvx2RowTransforms),
    HOST_IF_X86_VECTORS(&kAvx512RowTransforms),
}};

bool suits_vectors(const host::Surface& src, const host::Surface& dest) {
    // An empty source is never sampled; the plain rows skip it as fast.
    if (src.width <= 0 || src.height <= 0) return false;
    // Every offset from row 0, one row and one column beyond included.
    if (int64_t{src.width} * (int64_t{src.height} + 1) > INT32_MAX) return false;
    if (dest.width <= 0 || dest.height <= 0) return true;
    return !host::ranges_meet(src.bytes(), dest.bytes());
}

}  // namespace quorvex
