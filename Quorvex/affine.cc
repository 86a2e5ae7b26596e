// Quorvex: redraws one bitmap into another through a 3 x 3 matrix, with
// nearest-pixel or bilinear sampling. Destination pixels that land outside
// the source keep what they held.
#include <climits>

#include "Quorvex.h"
#include "Quorvex/inverse_map.h"
#include "Quorvex/rows.h"
#include "Quorvex/vector_rows.h"
#include "host/cpu_features.h"
#include "host/host_bitmap.h"

namespace quorvex {
namespace {

constexpr int32_t kBilinear = 1;

// The bytes a surface of positive size spans, from the start of its bottom
// row to the end of its top row (rows run downwards in memory).
struct ByteSpan {
    uint64_t begin, end;
};

ByteSpan rows_span(const host::Surface& s) {
    const uint64_t row_bytes = uint64_t{static_cast<uint32_t>(s.width)} * host::kPixelBytes;
    const uint64_t below_top = uint64_t{static_cast<uint32_t>(s.height - 1)} * row_bytes;
    const uint64_t top = s.row0;
    return {top >= below_top ? top - below_top : 0, top + row_bytes};
}

const RowTransforms& row_transforms(const host::Surface& src, const host::Surface& dest) {
    return suits_vectors(src, dest) ? kTransformVariants.for_this_cpu() : kPlainRowTransforms;
}

}  // namespace

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
    const ByteSpan a = rows_span(src), b = rows_span(dest);
    return a.end <= b.begin || b.end <= a.begin;
}

}  // namespace quorvex

int32_t Quorvex(int32_t src, int32_t dest, const float* matrix, int32_t mode) {
    host::Surface source, target;
    if (!host::resolve(src, source) || !host::resolve(dest, target)) return 1;
    const quorvex::InverseMap map =
        quorvex::make_inverse_map(matrix, source.width, source.height, target.width, target.height);
    if (target.width <= 0 || target.height <= 0) return 0;
    const quorvex::RowTransforms& rows = quorvex::row_transforms(source, target);
    const quorvex::RowTransform transform_row =
        mode == quorvex::kBilinear ? rows.bilinear : rows.nearest;
    for (int32_t y = 0; y < target.height; ++y)
        transform_row(map, quorvex::row_terms(map, y), source, target.row(y), target.width);
    return 0;
}
