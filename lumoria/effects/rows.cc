#include "lumoria/effects/rows.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "lumoria/effects/centre_line.h"

namespace lumoria {
namespace {

// Four bytes from `from` to `to`; the two may be the same pixel.
inline void copy_pixel(const uint8_t* from, uint8_t* to) {
    uint32_t value;
    std::memcpy(&value, from, sizeof value);
    std::memcpy(to, &value, sizeof value);
}

// Run lengths that grow with the distance from the centre. For (dx, dy):
// L = twice the root of dx²·H² + dy²·W², whole; then L · samples / area,
// whole, with samples narrowed to a 32-bit float first. A length beyond the
// 32-bit range gives no blur.
struct ScaledRun {
    double width, height, samples, area;

    int64_t operator()(int32_t dx, int32_t dy) const {
        const double spread = ((static_cast<double>(dx) * dx) * height) * height +
                              ((static_cast<double>(dy) * dy) * width) * width;
        const double length = std::trunc(std::sqrt(spread) * 2.0);
        const double run = (length * samples) / area;
        if (!(run > -2147483649.0 && run < 2147483648.0)) return 0;
        return static_cast<int64_t>(run);
    }
};

// Every destination pixel of row y becomes the mean of the first points of
// its line to the centre: as many as its run length allows, and never more
// than the line has, since the walk ends at the centre.
template <typename RunLength>
void blur_row(const BlurFrame& frame, int32_t y, RunLength run_length) {
    const uintptr_t stride = frame.src.stride();
    const uintptr_t in = reinterpret_cast<uintptr_t>(frame.src.row(y));
    uint8_t* out = frame.dest.row(y);
    for (int32_t x = 0; x < frame.dest.width; ++x) {
        const CentreLine line = line_to_centre(frame.cx - x, frame.cy - y, stride);
        const int64_t points =
            std::min(run_length(x - frame.cx, y - frame.cy), int64_t{line.major_length} + 1);
        const uintptr_t first = in + static_cast<uintptr_t>(x) * host::kPixelBytes;
        uint8_t* pixel = out + static_cast<ptrdiff_t>(x) * host::kPixelBytes;
        if (points <= 0) {
            copy_pixel(reinterpret_cast<const uint8_t*>(first), pixel);
            continue;
        }
        ChannelSums sums;
        sum_line(first, line, points, sums);
        store_mean(sums, static_cast<uint64_t>(points), pixel);
    }
}

}  // namespace

void add_row(const uint8_t* pixels, int64_t width, ChannelSums& sums) {
    for (int64_t i = 0; i < width; ++i) add_pixel(sums, pixels + i * host::kPixelBytes);
}

void ring_row(uint8_t* first, int64_t width, int64_t first_dx, float dy_squared,
              const RingTable& rings) {
    for (int64_t i = 0; i < width; ++i) {
        const int64_t distance = ring_distance(float_square(first_dx + i), dy_squared);
        // Distances below the first entry do not occur; those past the last
        // lie beyond the radius and keep their pixel.
        const uint64_t entry = static_cast<uint64_t>(distance - rings.first_distance);
        if (entry >= rings.size) continue;
        scale_pixel(first + i * host::kPixelBytes, rings.factors[entry]);
    }
}

void blur_row_fixed(const BlurFrame& frame, int32_t y, int32_t samples) {
    blur_row(frame, y, [samples](int32_t, int32_t) { return int64_t{samples}; });
}

void blur_row_scaled(const BlurFrame& frame, int32_t y, int32_t samples) {
    const int32_t width = frame.dest.width;
    const int32_t height = frame.dest.height;
    const ScaledRun run{static_cast<double>(width), static_cast<double>(height),
                        static_cast<double>(static_cast<float>(samples)),
                        static_cast<double>(int64_t{width} * height)};
    blur_row(frame, y, run);
}

void copy_row(const BlurFrame& frame, int32_t y) {
    const uint8_t* in = frame.src.row(y);
    uint8_t* out = frame.dest.row(y);
    for (int32_t x = 0; x < frame.dest.width; ++x) {
        const ptrdiff_t offset = static_cast<ptrdiff_t>(x) * host::kPixelBytes;
        copy_pixel(in + offset, out + offset);
    }
}

}  // namespace lumoria
