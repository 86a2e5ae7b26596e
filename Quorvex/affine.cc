// Quorvex: redraws one bitmap into another through a 3 x 3 matrix, with
// nearest-pixel or bilinear sampling. Destination pixels that land outside
// the source keep what they held.
#include "Quorvex.h"
#include "Quorvex/inverse_map.h"
#include "Quorvex/sampling.h"
#include "host/host_bitmap.h"

namespace quorvex {
namespace {

constexpr int32_t kBilinear = 1;

using PixelSampler = void (*)(const host::Surface&, SourcePoint, uint8_t*);
using RowTransform = void (*)(const InverseMap&, const host::Surface& src, int32_t y,
                              uint8_t* dest_row, int32_t dest_width);

// Destination row y, left to right. The source is read where it stands at
// that moment: in place, pixels written earlier in the call are what is read.
template <PixelSampler sample>
void transform_row(const InverseMap& map, const host::Surface& src, int32_t y, uint8_t* dest_row,
                   int32_t dest_width) {
    const RowTerms row = row_terms(map, y);
    for (int32_t x = 0; x < dest_width; ++x) {
        const SourcePoint p = map_pixel(map, row, x);
        if (inside_source(map, p))
            sample(src, p, dest_row + static_cast<ptrdiff_t>(x) * host::kPixelBytes);
    }
}

}  // namespace
}  // namespace quorvex

int32_t Quorvex(int32_t src, int32_t dest, const float* matrix, int32_t mode) {
    host::Surface source, target;
    if (!host::resolve(src, source) || !host::resolve(dest, target)) return 1;
    const quorvex::InverseMap map = quorvex::make_inverse_map(
        matrix, source.width, source.height, target.width, target.height);
    const quorvex::RowTransform transform_row =
        mode == quorvex::kBilinear ? quorvex::transform_row<quorvex::bilinear_pixel>
                                   : quorvex::transform_row<quorvex::nearest_pixel>;
    if (target.width <= 0) return 0;
    for (int32_t y = 0; y < target.height; ++y)
        transform_row(map, source, y, target.row(y), target.width);
    return 0;
}
