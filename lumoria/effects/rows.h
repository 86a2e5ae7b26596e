// Row functions of the spatial effects. These are the plain reference forms;
// a vectorised twin must match them byte for byte.
#pragma once

#include <cstdint>

#include "host/host_bitmap.h"
#include "lumoria/effects/pixel_rules.h"

namespace lumoria {

// Adds `width` pixels from `pixels` rightwards to `sums`.
void add_row(const uint8_t* pixels, int64_t width, ChannelSums& sums);

// The brightness factors of the rings, one per whole distance from
// `first_distance` on; a distance past the last entry lies beyond the radius.
struct RingTable {
    const float* factors;
    int64_t first_distance;
    uint64_t size;
};

// Rescales `width` pixels of one row from `first` rightwards; the first of
// them lies `first_dx` columns right of the centre, and the row's squared
// distance from the centre's row is `dy_squared`.
void ring_row(uint8_t* first, int64_t width, int64_t first_dx, float dy_squared,
              const RingTable& rings);

// A radial blur pass: both surfaces of the same size (possibly the same
// surface, then later samples see pixels already written) and the centre.
struct BlurFrame {
    host::Surface src;
    host::Surface dest;
    int32_t cx, cy;
};

// Blurs destination row y with a run of `samples` source pixels per pixel.
void blur_row_fixed(const BlurFrame& frame, int32_t y, int32_t samples);
// Blurs destination row y with runs that grow with the distance from the
// centre: about `samples` at the middle of each edge.
void blur_row_scaled(const BlurFrame& frame, int32_t y, int32_t samples);
// Copies source row y into destination row y, pixel by pixel from the left.
void copy_row(const BlurFrame& frame, int32_t y);

}  // namespace lumoria
