// The integer line from a pixel to the centre of its surface, walked with
// address steps only: the radial blur's per-pixel rule.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "host/host_bitmap.h"
#include "lumoria/effects/channel_sums.h"

namespace lumoria {

// The line as seen from its first point. The major axis is the one with the
// longer way to the centre, x on a tie; every point moves one step along it,
// and one step along the minor axis whenever the error term runs out.
struct CentreLine {
    uintptr_t major_step;  // bytes from one point to the next along the major axis
    uintptr_t minor_step;
    int32_t major_length;  // the way to the centre along each axis, in pixels
    int32_t minor_length;
};

// The line for the way (to_x, to_y) from a pixel to the centre, on a surface
// whose rows lie `stride` bytes apart. Rows run downwards in memory, so a
// step down is a step back by `stride`; steps are unsigned and wrap.
inline CentreLine line_to_centre(int32_t to_x, int32_t to_y, uintptr_t stride) {
    const int32_t along_x = std::abs(to_x);
    const int32_t along_y = std::abs(to_y);
    const uintptr_t step_x = to_x > 0 ? host::kPixelBytes : 0 - uintptr_t{host::kPixelBytes};
    const uintptr_t step_y = to_y > 0 ? 0 - stride : stride;
    if (along_x < along_y) return {step_y, step_x, along_y, along_x};
    return {step_x, step_y, along_x, along_y};
}

// Adds the first `points` points of the line from `first` (1 to
// major_length + 1 of them, so the walk never passes the centre).
inline void sum_line(uintptr_t first, const CentreLine& line, int64_t points, ChannelSums& sums) {
    int32_t error = line.major_length / 2;
    uintptr_t point = first;
    for (int64_t k = 0; k < points; ++k) {
        add_pixel(sums, reinterpret_cast<const uint8_t*>(point));
        error -= line.minor_length;
        if (error < 0) {
            point += line.minor_step;
            error += line.major_length;
        }
        point += line.major_step;
    }
}

}  // namespace lumoria
