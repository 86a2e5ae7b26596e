#include "Quorvex/rows.h"

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

}  // namespace quorvex
