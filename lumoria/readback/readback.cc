// Pixel read-back (get_pixel, get_pixels) and the two timing probes.
#include <cstddef>

#include "host/host_bitmap.h"
#include "lumoria.h"
#include "lumoria/int32.h"

namespace {

// The record of one pixel as get_pixels hands it back: red, green, blue,
// alpha, each widened to 32 bits.
void write_record(const uint8_t* pixel, int32_t* record) {
    record[0] = pixel[host::kRed];
    record[1] = pixel[host::kGreen];
    record[2] = pixel[host::kBlue];
    record[3] = pixel[host::kAlpha];
}

// One row of the surface into its records: pixel (x, y) has record
// x * height + y, so consecutive pixels land `height` records apart.
void write_row(const uint8_t* row, int32_t width, int32_t height, int32_t* first_record) {
    const size_t step = static_cast<size_t>(height) * 4;
    for (int32_t x = 0; x < width; ++x) {
        write_record(row + static_cast<size_t>(x) * host::kPixelBytes,
                     first_record + static_cast<size_t>(x) * step);
    }
}

// The probes' fixed amount of work.
constexpr int32_t kProbeSteps = 307200;

}  // namespace

// A channel outside 0..3 would read a neighbouring pixel, or past the surface
// for the last pixel of the top row: it is answered with 0.
int get_pixel(long bitmap, int x, int y, int channel) {
    const int32_t handle = static_cast<int32_t>(static_cast<unsigned long>(bitmap));
    host::Surface s;
    if (!host::resolve(handle, s)) return 0;
    if (x < 0 || y < 0 || x >= s.width || y >= s.height) return 0;
    if (channel < 0 || channel >= host::kPixelBytes) return 0;
    return s.pixel(x, y)[channel];
}

void get_pixels(int32_t bitmap, int32_t* out) {
    host::Surface s;
    if (!host::resolve(bitmap, s)) return;
    for (int32_t y = 0; y < s.height; ++y) {
        write_row(s.row(y), s.width, s.height, out + static_cast<size_t>(y) * 4);
    }
}

void test(const int32_t* values, int32_t /*unused*/, int32_t n) {
    using lumoria::wrap_add;
    using lumoria::wrap_mul;
    // The record get_pixels writes for pixel (10, 10) of a bitmap n pixels
    // high, indexed in the engine's 32-bit arithmetic.
    const int32_t index = wrap_mul(4, wrap_add(wrap_mul(10, n), 10));
    // Volatile on both sides: every step really reads and writes.
    const volatile int32_t* source = values + index;
    [[maybe_unused]] volatile int32_t scratch[4];
    for (int32_t step = 0; step < kProbeSteps; ++step) {
        for (int k = 0; k < 4; ++k) scratch[k] = source[k];
    }
}

void test2(void) {
    volatile int32_t counter = 10;
    for (int32_t step = 0; step < kProbeSteps; ++step) counter = counter - 1;
}
