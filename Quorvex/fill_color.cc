// fill_color: one colour, given as three floats, into the blue, green and red
// bytes of every pixel; alpha is left as it was.
#include <cstring>

#include "Quorvex.h"
#include "Quorvex/float_byte.h"
#include "host/host_bitmap.h"

namespace quorvex {
namespace {

struct ColorBytes {
    uint8_t blue, green, red;
};

void fill_row(uint8_t* row, int32_t width, ColorBytes color) {
    for (int32_t x = 0; x < width; ++x) {
        uint8_t* pixel = row + static_cast<ptrdiff_t>(x) * host::kPixelBytes;
        pixel[host::kBlue] = color.blue;
        pixel[host::kGreen] = color.green;
        pixel[host::kRed] = color.red;
    }
}

}  // namespace
}  // namespace quorvex

int32_t fill_color(int32_t dest, const float* color) {
    host::Surface surface;
    if (!host::resolve(dest, surface)) return 1;
    // Red, green, blue in caller memory, which promises no alignment.
    float rgb[3];
    std::memcpy(rgb, color, sizeof rgb);
    const quorvex::ColorBytes bytes{quorvex::float_to_byte(rgb[2]), quorvex::float_to_byte(rgb[1]),
                                    quorvex::float_to_byte(rgb[0])};
    if (surface.width <= 0) return 0;
    for (int32_t y = 0; y < surface.height; ++y)
        quorvex::fill_row(surface.row(y), surface.width, bytes);
    return 0;
}
