// The libraries' plain per-pixel paths, called directly: the benchmark links
// the libraries' object code for them. Each is walked over the whole scene as
// its export walks it, with the arguments the export case passes, so that the
// two differ only in the row functions' speed. This is the one file that
// knows the libraries' internal row functions.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "bench/registry.h"

namespace bench {

constexpr int32_t kFullOpacity = 255;

// Block transfers at full opacity over the whole scene. An empty prepare for
// a mode that has no row function.
Prepare plain_blt();
Prepare plain_blend(int32_t mode);
Prepare plain_layer(int32_t mode);

// Colour filters with the export's arguments; amounts from 1 to 99, the
// range in which the exports use these rows.
Prepare plain_tint(int32_t amount, int32_t red, int32_t green, int32_t blue);
Prepare plain_colorize(int32_t amount, int32_t red, int32_t green, int32_t blue);
Prepare plain_grayscale(int32_t amount);
Prepare plain_negative();
using LookupTable = std::shared_ptr<const std::array<int32_t, 256>>;
Prepare plain_table_lookup(LookupTable table, int32_t map_alpha);

// Quorvex's resampling through `matrix` (mode 1 bilinear, else nearest).
Prepare plain_resampling(std::array<float, 9> matrix, int32_t mode);

}  // namespace bench
