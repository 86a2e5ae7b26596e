// The radial blur's walk over one destination row, shared by the plain row
// and its vectorised twins: each pixel's run length and line to the centre,
// and the number of points of that line that are averaged.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "lumoria/effects/blur/blur_rows.h"
#include "lumoria/effects/blur/centre_line.h"

namespace lumoria {

// Four bytes from `from` to `to`; the two may be the same pixel.
inline void copy_pixel(const uint8_t* from, uint8_t* to) {
    uint32_t value;
    std::memcpy(&value, from, sizeof value);
    std::memcpy(to, &value, sizeof value);
}

// Every pixel's run is `samples` long.
struct FixedRun {
    int32_t samples;
    int64_t operator()(int32_t, int32_t) const { return samples; }
};

// Run lengths that grow with the distance from the centre. For (dx, dy):
// L = twice the root of dx²·H² + dy²·W², whole; then L · samples / area,
// whole, with samples narrowed to a 32-bit float first. A length beyond the
// 32-bit range gives no blur.
struct ScaledRun {
    double width, height, samples, area;

    ScaledRun(const BlurFrame& frame, int32_t samples_)
        : width(frame.dest.width),
          height(frame.dest.height),
          samples(static_cast<float>(samples_)),
          area(static_cast<double>(int64_t{frame.dest.width} * frame.dest.height)) {}

    int64_t operator()(int32_t dx, int32_t dy) const {
        const double spread = ((static_cast<double>(dx) * dx) * height) * height +
                              ((static_cast<double>(dy) * dy) * width) * width;
        const double length = std::trunc(std::sqrt(spread) * 2.0);
        const double run = (length * samples) / area;
        if (!(run > -2147483649.0 && run < 2147483648.0)) return 0;
        return static_cast<int64_t>(run);
    }
};

// How many points of a pixel's line are averaged: its run length, but never
// more than the line has, since the walk ends at the centre. 0 or less: the
// pixel is copied.
inline int64_t points_on_line(int64_t run, const CentreLine& line) {
    return std::min(run, int64_t{line.major_length} + 1);
}

// Every destination pixel of row y becomes the mean of the first points of
// its line to the centre; `mean_line(first, line, points, out)` sums them
// (points is at least 1) and stores the mean.
template <typename RunLength, typename MeanLine>
void blur_row(const BlurFrame& frame, int32_t y, RunLength run_length, MeanLine mean_line) {
    const uintptr_t stride = frame.src.stride();
    const uintptr_t in = reinterpret_cast<uintptr_t>(frame.src.row(y));
    uint8_t* out = frame.dest.row(y);
    for (int32_t x = 0; x < frame.dest.width; ++x) {
        const CentreLine line = line_to_centre(frame.cx - x, frame.cy - y, stride);
        const int64_t points = points_on_line(run_length(x - frame.cx, y - frame.cy), line);
        const uintptr_t first = in + static_cast<uintptr_t>(x) * host::kPixelBytes;
        uint8_t* pixel = out + static_cast<ptrdiff_t>(x) * host::kPixelBytes;
        if (points <= 0) {
            copy_pixel(reinterpret_cast<const uint8_t*>(first), pixel);
            continue;
        }
        mean_line(first, line, points, pixel);
    }
}

}  // namespace lumoria
