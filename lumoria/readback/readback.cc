// Pixel read-back (get_pixel, get_pixels) and the two timing probes.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "host/host_bitmap.h"
#include "lumoria.h"
#include "lumoria/int32.h"
#include "lumoria/readback/record_rows.h"

namespace {

// One row of the surface into its records, consecutive pixels `height`
// records apart.
void write_row(const host::Surface& s, int32_t y, int32_t* out) {
    for (int32_t x = 0; x < s.width; ++x)
        lumoria::write_record(s.pixel(x, y), lumoria::record_of(out, x, y, s.height));
}

// The pixels of a surface of positive size: below 2^62.
uint64_t pixel_count(const host::Surface& s) {
    return uint64_t{static_cast<uint32_t>(s.width)} * static_cast<uint32_t>(s.height);
}

// Whether the records from `out` share a byte with the surface's rows. A
// size past the address space cannot be held by the caller's memory; it is
// taken as shared, which keeps the row-by-row walk.
bool records_share_bytes(const host::Surface& s, const int32_t* out) {
    const auto begin = reinterpret_cast<uintptr_t>(out);
    if (pixel_count(s) > (UINTPTR_MAX - begin) / 16) return true;
    return host::ranges_meet(s.bytes(), {begin, begin + pixel_count(s) * 16});
}

// Records from this size on are written past the caches. Measured: the
// 33 MB of a 1920 x 1080 surface twice as fast, the 4.9 MB of 640 x 480
// a third slower (they stay in the caches when stored plainly).
constexpr uint64_t kStreamRecordsFrom = uint64_t{16} << 20;

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
    if (s.width <= 0 || s.height <= 0) return;
    // Records inside the surface would be read back by later pixels, so
    // there the walk keeps its order, row by row; elsewhere bands of rows
    // write each column's records as one run.
    if (host::kPlainBuild || records_share_bytes(s, out)) {
        for (int32_t y = 0; y < s.height; ++y) write_row(s, y, out);
        return;
    }
    const lumoria::RecordBand band = lumoria::kRecordVariants.for_this_cpu().band;
    const bool stream = pixel_count(s) * 16 >= kStreamRecordsFrom;
    // The first band ends where column 0's records reach a 64-byte line, so
    // that the later bands' runs of four records fill whole lines.
    const auto misalignment = reinterpret_cast<uintptr_t>(out) % 64;
    int32_t count =
        misalignment % 16 == 0 ? static_cast<int32_t>((64 - misalignment) % 64 / 16) : 0;
    if (count == 0) count = lumoria::kBandRows;
    for (int32_t y0 = 0; y0 < s.height; y0 += count, count = lumoria::kBandRows)
        band(s, y0, std::min(count, s.height - y0), out, stream);
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
