// The rows of the ripples: those of a column ripple between two bitmaps that
// share no memory, which write each destination row whole, every pixel
// either the source pixel its column's strip puts there or the cleared
// transparent black; and the rows of the brightness rings.
#pragma once

#include <cstdint>

#include "host/cpu_features.h"
#include "lumoria/effects/ripples/ring_rules.h"

namespace lumoria {

// How many columns a row function takes at once.
constexpr int32_t kPlacedColumns = 2048;

// Where each of a block of columns lands: column c's strip covers dest rows
// top[c] .. end[c] - 1 (an empty range when nothing is drawn), and dest
// row y takes its pixel from byte offset[c] past the source's address for
// row y. 32-bit offsets: the source spans less than 2 GiB.
struct ColumnPlaces {
    int32_t top[kPlacedColumns];
    int32_t end[kPlacedColumns];
    int32_t offset[kPlacedColumns];
};

// Writes the pixels of columns first .. end - 1 of the block in dest row y,
// `dest` being the block's first pixel in that row; `src_row` is the
// source's address for row y (possibly outside it: only the columns whose
// strip covers row y are read).
using ColumnRow = void (*)(uint8_t* dest, uintptr_t src_row, const ColumnPlaces& places,
                           int32_t first, int32_t end, int32_t y);

// The plain row, pixel by pixel.
void place_columns(uint8_t* dest, uintptr_t src_row, const ColumnPlaces& places, int32_t first,
                   int32_t end, int32_t y);

// The brightness factors of the rings, one per whole distance from
// `first_distance` on; a distance past the last entry lies beyond the radius.
struct RingTable {
    const float* factors;
    int64_t first_distance;
    uint64_t size;
};

// Rescales `width` pixels of one row from `first` rightwards; the first of
// them lies `first_dx` columns right of the centre, and the row's squared
// distance from the centre's row is `dy_squared`. The plain row, pixel by
// pixel.
void ring_row(uint8_t* first, int64_t width, int64_t first_dx, float dy_squared,
              const RingTable& rings);

using RingRow = void (*)(uint8_t* first, int64_t width, int64_t first_dx, float dy_squared,
                         const RingTable& rings);

struct RippleRows {
    ColumnRow columns;
    RingRow rings;
};

// The vector ring rows take 32-bit steps and distances: every step of the
// box at most 2^30 from the centre (so every root is below 2^31) and a table
// that 32-bit entries index.
inline bool fits_vector_rings(int64_t farthest_dx, int64_t farthest_dy, const RingTable& rings) {
    constexpr int64_t kLongestStep = int64_t{1} << 30;
    constexpr int64_t kLongestTable = int64_t{1} << 30;
    return farthest_dx <= kLongestStep && farthest_dy <= kLongestStep &&
           rings.first_distance <= kLongestTable && rings.size <= uint64_t{kLongestTable};
}

#if HOST_X86_VECTORS
extern const RippleRows kAvx2RippleRows;
extern const RippleRows kAvx512RippleRows;
#endif

// The plain row and each vector set, by instruction set level.
extern const host::Variants<RippleRows> kRippleVariants;

}  // namespace lumoria
