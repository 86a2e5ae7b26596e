// fill_color: one colour, given as three floats, into the blue, green and red
// bytes of every pixel; alpha is left as it was.
#include <cstring>

#include "Quorvex.h"
#include "Quorvex/fill_rows.h"
#include "Quorvex/float_byte.h"
#include "host/host_bitmap.h"
#include "host/row_order.h"

namespace quorvex {
namespace {

uint32_t byte_at(uint8_t value, int index) { return uint32_t{value} << (8 * index); }

}  // namespace

}  // namespace quorvex

int32_t fill_color(int32_t dest, const float* color) {
    host::Surface surface;
    if (!host::resolve(dest, surface)) return 1;
    // Red, green, blue in caller memory, which promises no alignment.
    float rgb[3];
    std::memcpy(rgb, color, sizeof rgb);
    const uint32_t colour = quorvex::byte_at(quorvex::float_to_byte(rgb[2]), host::kBlue) |
                            quorvex::byte_at(quorvex::float_to_byte(rgb[1]), host::kGreen) |
                            quorvex::byte_at(quorvex::float_to_byte(rgb[0]), host::kRed);
    if (surface.width <= 0) return 0;
    const auto fill = quorvex::kFillVariants.for_this_cpu().fill;
    host::each_row_rising(0, surface.height,
                          [&](int32_t y) { fill(surface.row(y), surface.width, colour); });
    return 0;
}
