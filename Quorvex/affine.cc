// Quorvex: redraws one bitmap into another through a 3 x 3 matrix, with
// nearest-pixel or bilinear sampling. Destination pixels that land outside
// the source keep what they held.
#include "Quorvex.h"
#include "Quorvex/inverse_map.h"
#include "Quorvex/transform_rows.h"
#include "host/cpu_features.h"
#include "host/host_bitmap.h"

namespace quorvex {
namespace {

constexpr int32_t kBilinear = 1;

const RowTransforms& row_transforms(const host::Surface& src, const host::Surface& dest) {
    return suits_vectors(src, dest) ? kTransformVariants.for_this_cpu() : kPlainRowTransforms;
}

}  // namespace

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
